#pragma once
// TPicture holds at most one graphic and makes it from a file by the file's extension through
// the process-wide FormatRegistry.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Graphic.h"
#include "graphics/LetterCase.h"  // extensions are compared in lower case

class TBitmap;

// One entry of the FormatRegistry.
struct TFileFormat {
    TGraphicClass graphicClass;
    std::string extension;  // without the dot, lower case
    std::string description;
};

// The process-wide list extension -> description -> graphic class, made on first use with the
// built-in entries.
class FormatRegistry {
public:
    static FormatRegistry& Instance();
    void Add(const std::string& extension, const std::string& description, TGraphicClass graphicClass);
    // Scans from the newest entry, so a later registration of an extension wins.
    TGraphicClass FindByExtension(const std::string& extension) const;
    TGraphicClass FindByClassName(const std::string& name) const;
    void Remove(TGraphicClass graphicClass);  // every entry of the class or a class inheriting from it
    const std::vector<TFileFormat>& Entries() const { return entries_; }

private:
    FormatRegistry();
    std::vector<TFileFormat> entries_;
};

// Clipboard format numbers paired with graphic classes. Nothing reads it; registration and
// removal are kept symmetric.
class ClipboardRegistry {
public:
    static ClipboardRegistry& Instance();
    void Add(std::uint16_t format, TGraphicClass graphicClass);
    void Remove(TGraphicClass graphicClass);
    std::size_t Count() const { return formats_.size(); }

private:
    ClipboardRegistry();
    std::vector<std::uint16_t> formats_;
    std::vector<TGraphicClass> classes_;
};

// The text after the last "." of the path when no "/" follows it; empty otherwise.
std::string PathExtension(const std::string& path);

class IChangeNotifier {
public:
    virtual ~IChangeNotifier() = default;
    virtual void Changed() = 0;
};

class TPicture : public TInterfacedPersistent {
public:
    static const TClass Class;
    const TClass& ClassType() const override { return Class; }

    TPicture();
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;
    IChangeNotifier* Notify = nullptr;
    // Given to every graphic this picture reads (TGraphic::SetColorManagement).
    bool ColorManagement = true;

    void ReadFromFile(const std::string& path);
    // Writes the picture in the format of the path's extension.
    void SaveToFile(const std::string& path);
    std::int32_t ImageWidth();
    std::int32_t ImageHeight();
    TGraphic* CurrentGraphic() const { return graphic_.get(); }
    void ReplaceGraphic(TGraphic* graphic);  // the caller keeps ownership of what it passes
    TBitmap* AsBitmap();
    TGraphic* EnsureGraphicClass(TGraphicClass graphicClass);
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);

    void CopyFrom(TPersistent* source) override;
    void CopyTo(TPersistent* destination) override;
    void DeclarePersisted(TFiler& filer) override;
    void ReadData(TStream& stream);  // the persisted "Data" block: class name, then the graphic's block
    void WriteData(TStream& stream);

    virtual void NotifyChanged(TObject* sender);
    virtual void ReportProgress(TObject* sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                                const TRect& r, const std::string& message);

    static void RegisterExtension(const std::string& extension, const std::string& description,
                                  TGraphicClass graphicClass);
    static void RegisterClipboardFormat(std::uint16_t format, TGraphicClass graphicClass);
    static void ForgetGraphicClass(TGraphicClass graphicClass);

private:
    void Hold(std::unique_ptr<TGraphic> graphic);
    std::unique_ptr<TGraphic> graphic_;
};
