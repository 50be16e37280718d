// Running the extractor and the converter: each is started directly with
// its arguments in the program directory, and the import watches for the
// file it leaves, until it appears, the program has ended without it, or the
// time-out has passed.
#pragma once

#include <QString>

#include <functional>
#include <stdexcept>

namespace logoimport {

// A converter that is missing, failed or took too long; what() says which
// and why, in words for the user.
class ConverterError : public std::runtime_error {
public:
    explicit ConverterError(const std::string& what, bool rejectedInput = false)
        : std::runtime_error(what), rejectedInput_(rejectedInput) {}
    // The converter ran and gave its reason for refusing the file it was given.
    bool rejectedInput() const { return rejectedInput_; }

private:
    bool rejectedInput_;
};

// How long a converter may take to leave its file (10 s unless set; tests set less).
int converterTimeout();
void setConverterTimeout(int milliseconds);

// Called between looks at the program directory, to keep the wait window painted.
using WhileWaiting = std::function<void()>;

// Starts the extractor on the logo wad file and returns the name of the PCX
// file it left: the first one of the directory search that was not there
// before.
QString extractPicture(const QString& wadPath, const WhileWaiting& whileWaiting);

// Starts the converter on the PCX file and returns once "temp.jpg" holds
// more than 250 bytes.
void convertPicture(const QString& pcxName, const WhileWaiting& whileWaiting);

} // namespace logoimport
