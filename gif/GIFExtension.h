#pragma once
// Extension blocks in front of a frame: graphic control, plain text, comment and application
// extensions, and the kinds of application extension. An extension kind is described by a
// TGIFExtensionKind record, which the two process-wide registries hand out.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gif/GIFItem.h"

class TGIFSubImage;
class TGIFExtension;
class TStream;

// The class operations of an extension kind: its class record, its label, its constructor
// (for a frame) and RefineExtensionClass, which may read on in the stream to pick a subkind.
struct TGIFExtensionKind {
    const TClass* classRecord;
    std::uint8_t label;
    std::unique_ptr<TGIFExtension> (*create)(TGIFSubImage* frame);
    const TGIFExtensionKind* (*refine)(TStream& stream);
};
using TGIFExtensionClass = const TGIFExtensionKind*;

using TGIFLines = std::vector<std::string>;

class TGIFExtension : public TGIFItem {
    OBRAZOR_CLASS_RECORD
public:
    explicit TGIFExtension(TGIFSubImage* frame);
    ~TGIFExtension() override;

    std::uint8_t RequiredVersion() override { return GIFVersion89a; }
    virtual std::uint8_t ExtensionLabel() const = 0;  // 10
    virtual TGIFExtensionClass Kind() const = 0;      // the record of RefineExtensionClass (11)

    // The introducer and label, checked against this kind, then the kind's body.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

    TGIFSubImage* Frame() const { return frame_; }

protected:
    virtual void LoadBody(TStream& stream) = 0;
    virtual void SaveBody(TStream& stream) = 0;

private:
    TGIFSubImage* frame_;
};

enum class TDisposalMethod : std::uint8_t { None = 0, DoNotDispose = 1, RestoreBackground = 2, RestorePrevious = 3 };

class TGIFGraphicControlExtension : public TGIFExtension {
    OBRAZOR_CLASS_RECORD
public:
    static const TGIFExtensionKind KindRecord;
    static constexpr std::uint8_t Label = 0xF9;

    explicit TGIFGraphicControlExtension(TGIFSubImage* frame);
    ~TGIFGraphicControlExtension() override;
    std::uint8_t ExtensionLabel() const override { return Label; }
    TGIFExtensionClass Kind() const override { return &KindRecord; }

    // The block as held: Block Size, packed fields, Delay Time, Transparent Color Index, terminator.
    struct TRecord {
        std::uint8_t BlockSize = 4;
        std::uint8_t PackedFields = 0;
        std::uint16_t DelayTime = 0;
        std::uint8_t TransparentColorIndex = 0;
        std::uint8_t Terminator = 0;
    };
    TRecord Record;

    int Disposal() const { return (Record.PackedFields >> 2) & 7; }
    bool UserInput() const { return Record.PackedFields & 0x02; }
    bool HasTransparency() const { return Record.PackedFields & 0x01; }
    void SetTransparency(bool value);
    std::uint16_t Delay() const { return Record.DelayTime; }
    std::uint8_t TransparentColorIndex() const { return Record.TransparentColorIndex; }

protected:
    void LoadBody(TStream& stream) override;
    void SaveBody(TStream& stream) override;
};

class TGIFTextExtension : public TGIFExtension {
    OBRAZOR_CLASS_RECORD
public:
    static const TGIFExtensionKind KindRecord;
    static constexpr std::uint8_t Label = 0x01;

    explicit TGIFTextExtension(TGIFSubImage* frame) : TGIFExtension(frame) {}
    std::uint8_t ExtensionLabel() const override { return Label; }
    TGIFExtensionClass Kind() const override { return &KindRecord; }

    struct TRecord {
        std::uint8_t BlockSize = 12;
        std::uint16_t Left = 0, Top = 0, GridWidth = 0, GridHeight = 0;
        std::uint8_t CellWidth = 0, CellHeight = 0;
        std::uint8_t ForegroundColorIndex = 0, BackgroundColorIndex = 0;
    };
    TRecord Record;
    TGIFLines Lines;

protected:
    void LoadBody(TStream& stream) override;
    void SaveBody(TStream& stream) override;
};

class TGIFCommentExtension : public TGIFExtension {
    OBRAZOR_CLASS_RECORD
public:
    static const TGIFExtensionKind KindRecord;
    static constexpr std::uint8_t Label = 0xFE;

    explicit TGIFCommentExtension(TGIFSubImage* frame) : TGIFExtension(frame) {}
    std::uint8_t ExtensionLabel() const override { return Label; }
    TGIFExtensionClass Kind() const override { return &KindRecord; }

    TGIFLines Lines;

protected:
    void LoadBody(TStream& stream) override;
    void SaveBody(TStream& stream) override;
};

using TGIFApplicationIdentifier = std::array<std::uint8_t, 11>;

// Application Identifier and Authentication Code, then the kind's own data sub-blocks.
class TGIFApplicationExtension : public TGIFExtension {
    OBRAZOR_CLASS_RECORD
public:
    // Label 0xFF; an identifier without a registered kind is held as TGIFUnknownAppExtension.
    static const TGIFExtensionKind KindRecord;
    static constexpr std::uint8_t Label = 0xFF;

    explicit TGIFApplicationExtension(TGIFSubImage* frame) : TGIFExtension(frame) {}
    std::uint8_t ExtensionLabel() const override { return Label; }

    virtual void WritePayload(TStream& stream) = 0;  // 13
    virtual void ReadPayload(TStream& stream) = 0;   // 14

    TGIFApplicationIdentifier Identifier{};
    std::string IdentifierText() const { return std::string(Identifier.begin(), Identifier.end()); }
    void SetIdentifier(const std::string& text);  // 11 bytes, cut or padded with zeros

protected:
    void LoadBody(TStream& stream) override;
    void SaveBody(TStream& stream) override;
};

// One data sub-block kept verbatim (1..255 bytes).
struct TGIFBlock {
    std::vector<std::uint8_t> Data;
};

class TGIFUnknownAppExtension : public TGIFApplicationExtension {
    OBRAZOR_CLASS_RECORD
public:
    static const TGIFExtensionKind KindRecord;

    explicit TGIFUnknownAppExtension(TGIFSubImage* frame) : TGIFApplicationExtension(frame) {}
    TGIFExtensionClass Kind() const override { return &KindRecord; }
    void WritePayload(TStream& stream) override;
    void ReadPayload(TStream& stream) override;

    std::vector<TGIFBlock> Blocks;
};

// The looping extension ("NETSCAPE2.0", "ANIMEXTS1.0"): loop count 0 means for ever.
class TGIFAppExtNSLoop : public TGIFApplicationExtension {
    OBRAZOR_CLASS_RECORD
public:
    static const TGIFExtensionKind KindRecord;

    explicit TGIFAppExtNSLoop(TGIFSubImage* frame);
    TGIFExtensionClass Kind() const override { return &KindRecord; }
    void WritePayload(TStream& stream) override;
    void ReadPayload(TStream& stream) override;

    std::uint16_t Loops = 0;
    std::uint32_t BufferSize = 0;
};

// The extensions in front of one frame, in file order.
class TGIFExtensionList : public TGIFList {
    OBRAZOR_CLASS_RECORD
public:
    explicit TGIFExtensionList(TGIFSubImage* frame);
    void LoadFromStream(TStream& stream, TObject* parent) override;
    TGIFExtension* Extension(int index) const { return static_cast<TGIFExtension*>(Item(index)); }

private:
    TGIFSubImage* frame_;
};

// The process-wide registries: label -> kind, and application identifier -> kind. Both are made
// on first use with the built-in kinds and searched from the newest entry.
class TExtensionList {
public:
    static TExtensionList& Instance();
    void Add(std::uint8_t label, TGIFExtensionClass kind);
    TGIFExtensionClass Find(std::uint8_t label) const;

private:
    TExtensionList();
    std::vector<std::pair<std::uint8_t, TGIFExtensionClass>> entries_;
};

class TAppExtensionList {
public:
    static TAppExtensionList& Instance();
    void Add(const TGIFApplicationIdentifier& identifier, TGIFExtensionClass kind);
    TGIFExtensionClass Find(const TGIFApplicationIdentifier& identifier) const;

private:
    TAppExtensionList();
    std::vector<std::pair<TGIFApplicationIdentifier, TGIFExtensionClass>> entries_;
};

// Frees both registries; the next use makes them anew.
void FreeGIFExtensionRegistries();

// The kind of the extension whose introducer was just read (the stream stands at its label);
// none when the label is not registered or the block is cut off. The stream position is kept.
TGIFExtensionClass ResolveExtensionClass(TStream& stream);
