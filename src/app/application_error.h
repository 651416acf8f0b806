// The application's handler for errors: what every window of the program does with an error
// raised by one of its commands (and the entry with an error of its start-up).
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace rb {

// The application title: the caption of every error box.
constexpr const char* kApplicationTitle = "Información de su computadora";

// The message-box text of an error: a full stop is appended when the last character sorts
// above ".".
std::string ErrorBoxText(const std::string& message);

// Shows `error` in the error box captioned with the application title (through the platform's
// message-box seam); a cancelled operation (EAbort) shows nothing. With `closeAfterSeconds`,
// the box closes by itself after that long (a run nobody watches must still end).
void ShowApplicationError(const std::exception& error, uint32_t closeAfterSeconds = 0);

}  // namespace rb
