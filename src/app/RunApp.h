/// \file
/// The process entry's work for any application: make it (which starts the engine), then Init, Run and
/// Shutdown, then destroy it. A fatal start-up message (thrown as a std::string by video or event-thread
/// start-up) is printed on standard error and ends with status 1 instead of an uncaught exception.
#pragma once

#include <functional>

class CApp;

/// `make` creates the application with new; `status`, when given, chooses the exit status from the
/// application after its Shutdown (0 otherwise).
int RunApp(const std::function<CApp*()>& make, const std::function<int(CApp&)>& status = nullptr);
