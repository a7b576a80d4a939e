#pragma once

#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>

#include <thread>

namespace Vorn {

// An Asio event loop on a thread of its own: where one side of its connections reads, decodes and
// routes what arrives.
class IoThread {
 public:
  IoThread();
  IoThread(const IoThread&) = delete;
  IoThread& operator=(const IoThread&) = delete;
  // Drops whatever is still queued.
  ~IoThread();

  boost::asio::any_io_executor GetExecutor();

 private:
  boost::asio::io_context io_;
  boost::asio::executor_work_guard<boost::asio::io_context::executor_type> work_;
  std::thread thread_;
};

}  // namespace Vorn
