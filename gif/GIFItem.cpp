#include "gif/GIFItem.h"

#include "gif/GIFImage.h"
#include "graphics/Streams.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFItem, TPersistent);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFList, TPersistent);

void RaiseGIFError(const std::string& message) { throw GIFException(message); }

void TGIFItem::ReportWarning(std::int32_t severity, const std::string& message) {
    if (image_) image_->ReportWarning(this, severity, message);
}

void TGIFItem::WriteToFile(const std::string& path) {
    TFileStream stream(path, TFileStream::fmCreate);
    SaveToStream(stream);
}

void TGIFItem::ReadFromFile(const std::string& path) {
    TFileStream stream(path, TFileStream::fmOpenRead);
    LoadFromStream(stream);
}

void TGIFList::ReportWarning(std::int32_t severity, const std::string& message) {
    if (image_) image_->ReportWarning(this, severity, message);
}

void TGIFList::SaveToStream(TStream& stream) {
    for (const auto& item : items_) item->SaveToStream(stream);
}

int TGIFList::IndexOf(const TGIFItem* item) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return int(i);
    return -1;
}

int TGIFList::Add(std::unique_ptr<TGIFItem> item) {
    items_.push_back(std::move(item));
    return int(items_.size()) - 1;
}

std::unique_ptr<TGIFItem> TGIFList::Extract(const TGIFItem* item) {
    const int index = IndexOf(item);
    if (index < 0) return nullptr;
    std::unique_ptr<TGIFItem> taken = std::move(items_[std::size_t(index)]);
    items_.erase(items_.begin() + index);
    return taken;
}

void TGIFList::Delete(int index) {
    std::unique_ptr<TGIFItem> taken = std::move(items_.at(std::size_t(index)));
    items_.erase(items_.begin() + index);
}

// Items are taken out before they are freed, so an item's destructor sees a consistent list.
void TGIFList::Clear() {
    while (!items_.empty()) Delete(0);
}
