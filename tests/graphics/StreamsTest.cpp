// Streams: whole-block transfers, growth, files opened and created.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "graphics/Exceptions.h"
#include "graphics/Streams.h"
#include "support/TestData.h"

TEST(MemoryStreamTest, ShortReadRaisesReadErrorAndWritesGrow) {
    TMemoryStream s;
    s.WriteUInt32(0x04030201);
    s.WriteUInt16(0x0605);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Memory()[0], 1);
    EXPECT_EQ(s.Memory()[5], 6);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadUInt32(), 0x04030201u);
    std::uint8_t buffer[4];
    try {
        s.ReadBuffer(buffer, 4);
        FAIL() << "no failure";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    EXPECT_EQ(s.Read(buffer, 4), 0) << "the short block was consumed";
}

TEST(MemoryStreamTest, WritingPastTheEndFillsTheGapWithZeros) {
    TMemoryStream s;
    s.SetPosition(3);
    s.WriteUInt8(9);
    ASSERT_EQ(s.Size(), 4);
    EXPECT_EQ(s.Memory()[0], 0);
    EXPECT_EQ(s.Memory()[3], 9);
}

TEST(FileStreamTest, CreateWriteAndReadBack) {
    testdata::TempDir dir;
    const std::string path = dir.File("x.bin");
    {
        TFileStream out(path, TFileStream::fmCreate);
        out.WriteBuffer("abc", 3);
    }
    TFileStream in(path, TFileStream::fmOpenRead);
    EXPECT_EQ(in.Size(), 3);
    char text[3];
    in.ReadBuffer(text, 3);
    EXPECT_EQ(std::string(text, 3), "abc");
}

TEST(FileStreamTest, FailuresNameTheExpandedPathAndTheReason) {
    testdata::TempDir dir;
    try {
        TFileStream in(dir.File("none"), TFileStream::fmOpenRead);
        FAIL() << "no failure";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + dir.File("none") + "\". No such file or directory");
    }
    try {
        TFileStream out(dir.File("no/such/folder"), TFileStream::fmCreate);
        FAIL() << "no failure";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + dir.File("no/such/folder") + "\". No such file or directory");
    }
    EXPECT_THROW(TFileStream(dir.Path().string(), TFileStream::fmOpenRead), EFOpenError) << "a folder is no file";
}

// A FIFO without a writer would block the open forever; a device behind a link reads endlessly.
TEST(FileStreamTest, OnlyRegularFilesOpenForReading) {
    testdata::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.File("zero.jpg"));
    for (const char* name : {"fifo", "zero.jpg"}) {
        try {
            TFileStream in(dir.File(name), TFileStream::fmOpenRead);
            ADD_FAILURE() << name << " opened";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message(), "Cannot open file \"" + dir.File(name) + "\". Not a regular file");
        }
    }
}

TEST(ExceptionsTest, ClassesAndTexts) {
    EXPECT_EQ(EInOutError(2).Message(), "File not found");
    EXPECT_EQ(EInOutError(3).Message(), "Invalid filename");
    EXPECT_EQ(EInOutError(5).Message(), "File access denied");
    EXPECT_EQ(EInOutError(21).Message(), "I/O error 21");
    EXPECT_EQ(EOSError(5, "Access is denied").Message(), "System Error.  Code: 5.\nAccess is denied");
    try {
        throw EReadError("Stream read error");
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.ClassName(), "EReadError");
    }
    EXPECT_EQ(Format("%s-%d", "a", 7), "a-7");
}

TEST(MemoryStreamTest, ReadFromTakesExactlyTheCountOrNothing) {
    TMemoryStream source;
    source.WriteBuffer("abcdef", 6);
    source.SetPosition(1);
    TMemoryStream copy;
    copy.ReadFrom(source, 4);
    ASSERT_EQ(copy.Size(), 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(copy.Memory()), 4), "bcde");
    EXPECT_EQ(copy.Position(), 0);
    EXPECT_THROW(copy.ReadFrom(source, 5), EReadError) << "only one byte is left";
    EXPECT_EQ(copy.Size(), 0);
}

TEST(MemoryStreamTest, SetSizeGrowsWithZerosAndShrinksThePosition) {
    TMemoryStream s;
    s.WriteBuffer("xyz", 3);
    s.SetSize(6);
    EXPECT_EQ(s.Memory()[3], 0);
    EXPECT_EQ(s.Memory()[5], 0);
    s.SetSize(2);
    EXPECT_EQ(s.Position(), 2);
    s.WriteUInt8('!');
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.Memory()), 3), "xy!");
}
