#pragma once
// EJPEG: a failure of the JPEG library or of the checks made around it. Its message is the
// program's own text, "JPEG error #N"; beside it the exception keeps the library's code N and
// the library's own words for the failure, for readers who want to know more.

#include <string>

#include "graphics/Exceptions.h"

class EJPEG : public EInvalidGraphic {
public:
    // The library's message table's text for the code, with its fields shown as "…".
    explicit EJPEG(int code);
    // The words the library itself formatted for this failure, fields filled in.
    EJPEG(int code, std::string libraryText);

    const char* ClassName() const override { return "EJPEG"; }
    int Code() const { return code_; }
    // Empty when the library has no message for the code.
    const std::string& LibraryText() const { return libraryText_; }

private:
    int code_;
    std::string libraryText_;
};
