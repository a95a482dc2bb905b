#include "FailureText.h"

#include <exception>
#include <new>

std::string failureText() {
  try {
    throw;
  } catch (const char* message) {
    return message;
  } catch (const std::bad_alloc&) {
    return "Not enough memory!";
  } catch (const std::exception& failure) {
    // Covers std::system_error too, e.g. a thread that could not start.
    const char* what = failure.what();
    return what && *what ? what : "Unknown error!";
  } catch (...) {
    return "Unknown error!";
  }
}
