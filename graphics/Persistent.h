#pragma once
// The object roots every class of the program derives from: TObject with its class record
// (name, parent, virtual constructor), TPersistent with assignment, and the filer through which
// persistent objects declare the binary properties of a window description.

#include <functional>
#include <string>

class TObject;
class TPersistent;
class TStream;

// The class record: a class's name, its parent's record and its virtual constructor (null for
// abstract classes). Records are compared by address.
struct TClass {
    const char* name;
    const TClass* parent;
    TObject* (*create)();

    bool InheritsFrom(const TClass* other) const {
        for (const TClass* c = this; c; c = c->parent)
            if (c == other) return true;
        return false;
    }
};

// Declares a class's record inside its body; define it with OBRAZOR_DEFINE_CLASS.
#define OBRAZOR_CLASS_RECORD   \
public:                        \
    static const TClass Class; \
    const TClass& ClassType() const override { return Class; }

#define OBRAZOR_DEFINE_CLASS(Name, Parent)                           \
    constinit const TClass Name::Class {                             \
#Name, &Parent::Class, []() -> TObject* { return new Name; } \
    }
#define OBRAZOR_DEFINE_ABSTRACT_CLASS(Name, Parent) \
    constinit const TClass Name::Class { #Name, &Parent::Class, nullptr }

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TObject {
public:
    static const TClass Class;
    virtual ~TObject() = default;
    virtual const TClass& ClassType() const { return Class; }
    const char* ClassName() const { return ClassType().name; }
    bool InheritsFrom(const TClass& c) const { return ClassType().InheritsFrom(&c); }
};

// What DeclarePersisted talks to: the window description's reader or writer.
class TFiler {
public:
    virtual ~TFiler() = default;
    // The object of the ancestor description this one is written against, or null.
    virtual TPersistent* Ancestor() const = 0;
    virtual void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                                      const std::function<void(TStream&)>& write, bool hasData) = 0;
};

class TPersistent : public TObject {
public:
    static const TClass Class;
    const TClass& ClassType() const override { return Class; }
    // Asks the destination to take this object's content; the base raises EConvertError
    // "Cannot assign a %s to a %s".
    virtual void CopyTo(TPersistent* destination);
    virtual void DeclarePersisted(TFiler& filer);
    // Takes the source's content; the base asks the source's CopyTo.
    virtual void CopyFrom(TPersistent* source);
};

class TInterfacedPersistent : public TPersistent {
public:
    static const TClass Class;
    const TClass& ClassType() const override { return Class; }
};
