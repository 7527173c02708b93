#pragma once
// The modal error dialog, replaceable by the host (a GUI, a test, or stderr by default).
#include <functional>
#include <string>

#include "norv/Export.h"

namespace norv {

using TMessageDialogHandler = std::function<void(const std::string&)>;

// Installs the handler that shows an error message and returns once it is closed.
// An empty handler restores the default, which writes the message to stderr.
NORV_API void SetMessageDialogHandler(TMessageDialogHandler handler);
// Shows Msg with one OK button and waits until it is closed.
NORV_API void MessageDlg(const std::string& Msg);

}  // namespace norv
