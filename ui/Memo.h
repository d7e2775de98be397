#pragma once
// TMemo: a multi-line text; the program's memos are read-only logs with a vertical scroll bar.

#include <string>
#include <vector>

#include "ui/WinControl.h"

class QPlainTextEdit;

class TMemo : public TWinControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TMemo(TComponent* owner);

    int LineCount() const { return int(lines_.size()); }
    const std::string& Line(int index) const { return lines_.at(std::size_t(index)); }
    const std::vector<std::string>& Lines() const { return lines_; }
    void Clear();
    void Add(const std::string& line);
    void SetLines(const std::vector<std::string>& lines);

    void SetReadOnly(bool value);
    void SetVerticalScrollBar(bool value);
    void SetColor(TColor value) override;

private:
    QPlainTextEdit* Editor() const;
    std::vector<std::string> lines_;
};
