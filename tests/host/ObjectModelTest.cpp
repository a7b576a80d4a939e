#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "KROBaseUnknown.h"
#include "KROCleaner.h"
#include "KRONotification.h"
#include "KROPtr.h"
#include "KROSystem.h"

namespace object_model_test {

// A class chain of the object model, with a hook that tells when an object is destroyed.
class Animal : public KROBaseUnknown {
  KRO_DECLARE_CLASS(Animal)
 public:
  explicit Animal(std::atomic<int>* destroyed = nullptr) : _Destroyed(destroyed) {}

 protected:
  ~Animal() override {
    if (_Destroyed) ++*_Destroyed;
  }

 private:
  std::atomic<int>* _Destroyed;
};
KRO_IMPLEMENT_CLASS(Animal, KROBaseUnknown)

class Dog : public Animal {
  KRO_DECLARE_CLASS(Dog)
 public:
  using Animal::Animal;
};
KRO_IMPLEMENT_CLASS(Dog, Animal)

}  // namespace object_model_test

namespace {

using object_model_test::Animal;
using object_model_test::Dog;

TEST(MetaClass, KindOfWalksTheWholeBaseChain) {
  KROPtr<Dog> dog = KROPtr<Dog>::Adopt(new Dog);
  EXPECT_STREQ(dog->IsA(), "Dog");
  EXPECT_TRUE(dog->IsAKindOf("Dog"));
  EXPECT_TRUE(dog->IsAKindOf("Animal"));
  EXPECT_TRUE(dog->IsAKindOf("KROBaseUnknown"));
  EXPECT_FALSE(dog->IsAKindOf("KRONotification"));
  EXPECT_FALSE(dog->IsAKindOf(nullptr));

  KROPtr<Animal> animal = KROPtr<Animal>::Adopt(new Animal);
  EXPECT_FALSE(animal->IsAKindOf("Dog"));
  EXPECT_EQ(Dog::MetaObject()->GetBase(), Animal::MetaObject());
  EXPECT_EQ(Dog::MetaObject()->GetSize(), sizeof(Dog));
  EXPECT_NE(Dog::ClassId(), Animal::ClassId());
  EXPECT_EQ(Dog::CreateItself(), nullptr);
}

TEST(MetaClass, ConcurrentFirstUseRegistersOneMetaClassPerName) {
  constexpr int kThreads = 8;
  std::vector<std::thread> threads;
  std::vector<const KROMetaClass*> seen(kThreads * 2);
  std::atomic<bool> go{false};
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      while (!go) std::this_thread::yield();
      seen[2 * t] = fct_RetrieveMetaObject("RaceClass", 1, KROBaseUnknown::MetaObject(), "KRONull",
                                           "Ossevar", 8);
      seen[2 * t + 1] = KRORegisterNotificationClass("RaceNotificationEvt");
    });
  }
  go = true;
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(seen[2 * t], seen[0]);
    EXPECT_EQ(seen[2 * t + 1], seen[1]);
  }
  EXPECT_STREQ(seen[0]->GetClassName(), "RaceClass");
  EXPECT_TRUE(seen[1]->IsAKindOf("KRONotification"));
  // A later registration under the same name keeps the first one.
  EXPECT_EQ(fct_RetrieveMetaObject("RaceClass", 1, nullptr, "x", "y", 99), seen[0]);
  EXPECT_EQ(seen[0]->GetSize(), 8u);
}

TEST(BaseUnknown, LastReleaseDestroysAndQueryInterfaceAddsAReference) {
  std::atomic<int> destroyed{0};
  auto* dog = new Dog(&destroyed);
  void* asUnknown = nullptr;
  ASSERT_EQ(dog->QueryInterface(IID_KROBaseUnknown, &asUnknown), S_OK);
  EXPECT_EQ(asUnknown, dog);
  EXPECT_EQ(dog->GetRefCount(), 2u);
  void* other = &destroyed;
  EXPECT_LT(dog->QueryInterface(IID{"IUnknownInterface"}, &other), 0);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(dog->Release(), 1u);
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(dog->Release(), 0u);
  EXPECT_EQ(destroyed, 1);
}

TEST(BaseUnknown, ConcurrentAddRefAndReleaseDestroyExactlyOnce) {
  std::atomic<int> destroyed{0};
  auto* dog = new Dog(&destroyed);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([dog] {
      for (int i = 0; i < 10000; ++i) {
        dog->AddRef();
        dog->Release();
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(destroyed, 0);
  dog->Release();
  EXPECT_EQ(destroyed, 1);
}

TEST(Cleaner, ReleasesOnlyAtTheExplicitTransactionEnd) {
  std::atomic<int> destroyed{0};
  KROCleaner::DeleteOnTransactionEnd(new Dog(&destroyed));
  KROCleaner::DeleteOnTransactionEnd(nullptr);
  EXPECT_EQ(destroyed, 0);
  KROCleaner::EndTransaction();
  EXPECT_EQ(destroyed, 1);
  KROCleaner::EndTransaction();
  EXPECT_EQ(destroyed, 1);
}

TEST(System, GetEnvIsNullWhenUnset) {
  ::unsetenv("KROSTREAM_TEST_UNSET");
  EXPECT_EQ(KROGetEnv("KROSTREAM_TEST_UNSET"), nullptr);
  ::setenv("KROSTREAM_TEST_SET", "1", 1);
  EXPECT_STREQ(KROGetEnv("KROSTREAM_TEST_SET"), "1");
}

TEST(SystemDeathTest, FatalErrorWritesTheTextAndAborts) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const void* viewer = nullptr;
  EXPECT_DEATH(KRO_ASSERT(viewer), "AssertionFailed:viewer");
}

}  // namespace
