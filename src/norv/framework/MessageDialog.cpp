#include "norv/framework/MessageDialog.h"

#include <iostream>
#include <mutex>

namespace norv {

namespace {

std::mutex gHandlerLock;
TMessageDialogHandler gHandler;

}  // namespace

void SetMessageDialogHandler(TMessageDialogHandler handler) {
  std::lock_guard<std::mutex> lock(gHandlerLock);
  gHandler = std::move(handler);
}

void MessageDlg(const std::string& Msg) {
  TMessageDialogHandler handler;
  {
    std::lock_guard<std::mutex> lock(gHandlerLock);
    handler = gHandler;
  }
  if (handler)
    handler(Msg);
  else
    std::cerr << "Error: " << Msg << '\n';
}

}  // namespace norv
