#pragma once
// HandlerAbandoned: unwinds a handler that can no longer go on as its user meant, because the
// dialog it waited for went with its owner window, or because the program is ending and the
// handler would open a new dialog. It is no run-time error: no handler catches it (it is
// neither a RuntimeError nor a std::exception), and the callback guards end it quietly.
namespace rt {

class HandlerAbandoned {};

}  // namespace rt
