#pragma once
// The program's failures: a base Exception carrying its message text, and the classes the
// picture model, the streams and the runtime raise, in the inheritance callers rely on
// (catching EInvalidGraphic also catches every format's own reading failure).

#include <cstdint>
#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }
    virtual const char* ClassName() const { return "Exception"; }

private:
    std::string message_;
};

#define OBRAZOR_EXCEPTION(Name, Base)                            \
    class Name : public Base {                                   \
    public:                                                      \
        using Base::Base;                                        \
        const char* ClassName() const override { return #Name; } \
    }

// A silent abort: handlers and the default error box let it pass without a message.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    using Exception::Exception;
    const char* ClassName() const override { return "EAbort"; }
};

OBRAZOR_EXCEPTION(EOutOfMemory, Exception);
OBRAZOR_EXCEPTION(EOutOfResources, EOutOfMemory);
OBRAZOR_EXCEPTION(EInvalidOperation, Exception);
OBRAZOR_EXCEPTION(EInvalidGraphic, Exception);
OBRAZOR_EXCEPTION(EInvalidGraphicOperation, Exception);
OBRAZOR_EXCEPTION(EConvertError, Exception);
OBRAZOR_EXCEPTION(EAbstractError, Exception);
OBRAZOR_EXCEPTION(EStreamError, Exception);
OBRAZOR_EXCEPTION(EFilerError, EStreamError);
OBRAZOR_EXCEPTION(EReadError, EFilerError);
OBRAZOR_EXCEPTION(EWriteError, EFilerError);
OBRAZOR_EXCEPTION(EFCreateError, EStreamError);
OBRAZOR_EXCEPTION(EFOpenError, EStreamError);
OBRAZOR_EXCEPTION(EExternal, Exception);
OBRAZOR_EXCEPTION(EMathError, EExternal);
OBRAZOR_EXCEPTION(EInvalidOp, EMathError);
OBRAZOR_EXCEPTION(EZeroDivide, EMathError);
OBRAZOR_EXCEPTION(EOverflow, EMathError);

// A failed operating-system call: "System Error.  Code: %d." + line break + the system's text.
class EOSError : public Exception {
public:
    EOSError(std::uint32_t code, const std::string& systemText);
    std::uint32_t ErrorCode() const { return code_; }
    const char* ClassName() const override { return "EOSError"; }

private:
    std::uint32_t code_;
};

// The runtime's input/output failure; its text is chosen by the error code.
class EInOutError : public Exception {
public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const { return code_; }
    const char* ClassName() const override { return "EInOutError"; }

private:
    int code_;
};

// printf-style formatting of the message templates ("Cannot open file \"%s\". %s").
std::string Format(const char* templ, ...) __attribute__((format(printf, 1, 2)));

// Raises EOutOfResources with the platform's text for its last error, or "Out of system
// resources" when there is none.
[[noreturn]] void RaiseLastPlatformError();
