#pragma once
#include <stdexcept>
#include <string>

namespace velmo {

// The one exception type of the program. Its message is shown to the user as it stands.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// "'abc' is not a valid floating point value"
class ConvertError : public Error {
public:
    explicit ConvertError(const std::string& text)
        : Error("'" + text + "' is not a valid floating point value") {}
};

}  // namespace velmo
