#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KROEventSubscriber.h"
#include "KRONotification.h"
#include "KROPtr.h"

namespace {

class Publisher : public KROEventSubscriber {
 public:
  void Publish(const char* name, KRONotification* notification = nullptr) {
    if (_CallbackManager) _CallbackManager->DispatchCallbacks(name, notification, nullptr);
  }
  KROCallbackManager* Manager() const { return _CallbackManager.get(); }
};

struct Call {
  std::string name;
  KROBaseUnknown* publisher;
  KRONotification* notification;
  KROSubscriberData data;
  KROCallbackId id;
};

class Listener : public KROEventSubscriber {
 public:
  void OnEvent(const char* name, KROBaseUnknown* publisher, KRONotification* notification,
               KROSubscriberData data, KROCallbackId id) {
    calls.push_back({name, publisher, notification, data, id});
    if (removeOnCall) RemoveCallback(removeFrom, removeOnCall);
  }
  std::vector<Call> calls;
  Publisher* removeFrom = nullptr;
  KROCallbackId removeOnCall = 0;
};

class CallbackManagerTest : public testing::Test {
 protected:
  KROPtr<Publisher> publisher = KROPtr<Publisher>::Adopt(new Publisher);
  KROPtr<Listener> first = KROPtr<Listener>::Adopt(new Listener);
  KROPtr<Listener> second = KROPtr<Listener>::Adopt(new Listener);
};

TEST_F(CallbackManagerTest, ManagerIsAbsentUntilTheFirstSubscription) {
  EXPECT_EQ(publisher->Manager(), nullptr);
  publisher->Publish("Nobody");  // no manager: nothing to do, no crash
  first->AddCallback(publisher.Get(), "Evt", &Listener::OnEvent, 0);
  ASSERT_NE(publisher->Manager(), nullptr);
  EXPECT_TRUE(publisher->Manager()->HasClients("Evt"));
  EXPECT_FALSE(publisher->Manager()->HasClients("Other"));
}

TEST_F(CallbackManagerTest, DispatchReachesSubscribersOfThatNameInOrderWithTheirData) {
  const KROCallbackId a = first->AddCallback(publisher.Get(), "Evt", &Listener::OnEvent, 7);
  const KROCallbackId b = second->AddCallback(publisher.Get(), "Evt", &Listener::OnEvent, 9);
  first->AddCallback(publisher.Get(), "Other", &Listener::OnEvent, 0);
  EXPECT_NE(a, 0u);
  EXPECT_NE(a, b);

  auto* notification = new KRONotification(0);
  publisher->Publish("Evt", notification);
  notification->Release();

  ASSERT_EQ(first->calls.size(), 1u);
  ASSERT_EQ(second->calls.size(), 1u);
  EXPECT_EQ(first->calls[0].name, "Evt");
  EXPECT_EQ(first->calls[0].publisher, publisher.Get());
  EXPECT_EQ(first->calls[0].notification, notification);
  EXPECT_EQ(first->calls[0].data, 7u);
  EXPECT_EQ(first->calls[0].id, a);
  EXPECT_EQ(second->calls[0].data, 9u);
  EXPECT_EQ(second->calls[0].id, b);
}

TEST_F(CallbackManagerTest, RemovedSubscriptionIsNotCalledAndRemovalIsReported) {
  const KROCallbackId a = first->AddCallback(publisher.Get(), "Evt", &Listener::OnEvent, 0);
  EXPECT_TRUE(first->RemoveCallback(publisher.Get(), a));
  EXPECT_FALSE(first->RemoveCallback(publisher.Get(), a));
  EXPECT_FALSE(first->RemoveCallback(nullptr, a));
  publisher->Publish("Evt");
  EXPECT_TRUE(first->calls.empty());
  EXPECT_FALSE(publisher->Manager()->HasClients("Evt"));
}

TEST_F(CallbackManagerTest, ASubscriberRemovedDuringDispatchIsNotCalledAfterwards) {
  first->AddCallback(publisher.Get(), "Evt", &Listener::OnEvent, 0);
  const KROCallbackId b = second->AddCallback(publisher.Get(), "Evt", &Listener::OnEvent, 0);
  first->removeFrom = publisher.Get();
  first->removeOnCall = b;  // the first subscriber removes the second one
  publisher->Publish("Evt");
  EXPECT_EQ(first->calls.size(), 1u);
  EXPECT_TRUE(second->calls.empty());
}

TEST_F(CallbackManagerTest, ASubscriberMayRemoveItselfDuringDispatch) {
  const KROCallbackId a = first->AddCallback(publisher.Get(), "Evt", &Listener::OnEvent, 0);
  second->AddCallback(publisher.Get(), "Evt", &Listener::OnEvent, 0);
  first->removeFrom = publisher.Get();
  first->removeOnCall = a;
  publisher->Publish("Evt");
  publisher->Publish("Evt");
  EXPECT_EQ(first->calls.size(), 1u);
  EXPECT_EQ(second->calls.size(), 2u);
}

TEST_F(CallbackManagerTest, NullNamesAreRefused) {
  EXPECT_EQ(publisher->GetCallbackManager()->AddCallback(
                nullptr, [](auto...) {}, 0),
            0u);
  EXPECT_FALSE(publisher->Manager()->HasClients(nullptr));
  publisher->Publish(nullptr);
}

}  // namespace
