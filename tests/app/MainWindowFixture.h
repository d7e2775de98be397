#pragma once
// Drives the program's three windows headless: a fresh working folder, the questions and boxes
// answered by the test, the web addresses caught instead of opened.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "support/TestData.h"

struct AskedBox {
    std::string text, caption;
    unsigned flags;
};

class MainWindow : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A picture file of the given size in the working folder; BMP or JPEG by extension.
    std::string Picture(const std::string& name, int width, int height);
    // Runs the command as the file list would (preview) or as the button would (save).
    void Preview(const std::string& path);
    void Save(const std::string& path);
    // A click on the convert button through its widget, so failures reach the default handler.
    void ClickConvert();
    // The state for no file chosen: no paths, "-" labels, no preview, the panel caption.
    void ExpectNoFileChosen();

    std::deque<int> answers;  // given to the questions in turn; IDNO when none is left
    std::vector<AskedBox> asked;
    std::vector<std::string> opened;
    testdata::TempDir folder;

private:
    std::string previousFolder_;
};

// The file's bytes; empty when it does not exist.
std::string FileBytes(const std::string& path);

// What a JPEG file's frame header says, read independently of the program's codec.
struct JpegFrame {
    int width = -1, height = -1, components = -1;
};
JpegFrame ReadJpegFrame(const std::string& path);
