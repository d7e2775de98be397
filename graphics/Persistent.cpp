#include "graphics/Persistent.h"

#include "graphics/Exceptions.h"
#include "graphics/Messages.h"

constinit const TClass TObject::Class{"TObject", nullptr, nullptr};
constinit const TClass TPersistent::Class{"TPersistent", &TObject::Class, nullptr};
constinit const TClass TInterfacedPersistent::Class{"TInterfacedPersistent", &TPersistent::Class, nullptr};

void TPersistent::CopyTo(TPersistent* destination) {
    const char* sourceName = ClassName();
    const char* destinationName = destination ? destination->ClassName() : "nil";
    throw EConvertError(Format(msg::SAssignError, sourceName, destinationName));
}

void TPersistent::DeclarePersisted(TFiler&) {}

void TPersistent::CopyFrom(TPersistent* source) {
    if (source) {
        source->CopyTo(this);
        return;
    }
    throw EConvertError(Format(msg::SAssignError, "nil", ClassName()));
}
