#include "IoThread.h"

namespace Vorn {

IoThread::IoThread() : work_(boost::asio::make_work_guard(io_)), thread_([this] { io_.run(); }) {}

IoThread::~IoThread() {
  io_.stop();
  thread_.join();
}

boost::asio::any_io_executor IoThread::GetExecutor() {
  return io_.get_executor();
}

}  // namespace Vorn
