#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "framework/stream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

std::string Written(const std::function<void(TNetWriter&)>& write) {
    TMemoryStream stream;
    {
        TNetWriter writer(stream);
        write(writer);
    } // destruction flushes
    return stream.Data();
}

std::string ErrorOf(const std::string& bytes, const std::function<void(TNetReader&)>& read) {
    TMemoryStream stream(bytes);
    TNetReader reader(stream);
    try {
        read(reader);
    } catch (const EError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(StreamValues, IntegersTakeTheSmallestForm) {
    EXPECT_EQ(Written([](TNetWriter& w) { w.WriteInteger(127); }), Bytes({0x02, 0x7F}));
    EXPECT_EQ(Written([](TNetWriter& w) { w.WriteInteger(-128); }), Bytes({0x02, 0x80}));
    EXPECT_EQ(Written([](TNetWriter& w) { w.WriteInteger(128); }), Bytes({0x03, 0x80, 0x00}));
    EXPECT_EQ(Written([](TNetWriter& w) { w.WriteInteger(-129); }), Bytes({0x03, 0x7F, 0xFF}));
    EXPECT_EQ(Written([](TNetWriter& w) { w.WriteInteger(32767); }), Bytes({0x03, 0xFF, 0x7F}));
    EXPECT_EQ(Written([](TNetWriter& w) { w.WriteInteger(32768); }),
              Bytes({0x04, 0x00, 0x80, 0x00, 0x00}));
    EXPECT_EQ(Written([](TNetWriter& w) { w.WriteInteger(-32769); }),
              Bytes({0x04, 0xFF, 0x7F, 0xFF, 0xFF}));
    EXPECT_EQ(Written([](TNetWriter& w) { w.WriteInteger(INT32_MIN); }),
              Bytes({0x04, 0x00, 0x00, 0x00, 0x80}));

    const std::int32_t values[] = {0,     1,     -1,     127,   -128,   128,       -129,     0x1234,
                                   -4660, 32767, -32768, 32768, -32769, INT32_MAX, INT32_MIN};
    // Alone, each value is read near the end of the buffer; followed by more values,
    // in place in the buffer. Both ways must agree.
    for (std::int32_t v : values) {
        TMemoryStream stream(Written([v](TNetWriter& w) { w.WriteInteger(v); }));
        TNetReader reader(stream);
        EXPECT_EQ(reader.ReadInteger(), v);
    }
    TMemoryStream all(Written([&](TNetWriter& w) {
        for (std::int32_t v : values)
            w.WriteInteger(v);
        w.WriteInteger(INT32_MAX);
    }));
    TNetReader reader(all);
    for (std::int32_t v : values)
        EXPECT_EQ(reader.ReadInteger(), v) << "in place";
}

TEST(StreamValues, ShortAndLongStrings) {
    std::string s255(255, 'x');
    std::string s256(256, 'y');
    std::string w255 = Written([&](TNetWriter& w) { w.WriteString(s255); });
    ASSERT_EQ(w255.size(), 2u + 255u);
    EXPECT_EQ(w255.substr(0, 2), Bytes({0x06, 0xFF}));
    std::string w256 = Written([&](TNetWriter& w) { w.WriteString(s256); });
    ASSERT_EQ(w256.size(), 5u + 256u);
    EXPECT_EQ(w256.substr(0, 5), Bytes({0x0C, 0x00, 0x01, 0x00, 0x00}));
    EXPECT_EQ(Written([](TNetWriter& w) { w.WriteString(""); }), Bytes({0x06, 0x00}));
    EXPECT_EQ(Written([](TNetWriter& w) { w.WriteChar('S'); }), Bytes({0x06, 0x01, 'S'}));

    // Long strings and many values cross the 4096-byte buffers of both filers, and
    // the 8-bit bytes (including zero) survive.
    std::string big(10000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7);
    TMemoryStream stream(Written([&](TNetWriter& w) {
        w.WriteString(s255);
        w.WriteString(big);
        for (int i = 0; i < 3000; ++i)
            w.WriteInteger(i * 1000);
        w.WriteString("a short one");
    }));
    TNetReader reader(stream);
    EXPECT_EQ(reader.ReadString(), s255);
    EXPECT_EQ(reader.ReadString(), big);
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(reader.ReadInteger(), i * 1000);
    EXPECT_EQ(reader.ReadString(3), "a s");
    EXPECT_EQ(reader.BytesLeft(), 0);
}

TEST(StreamValues, BooleansListsAndChars) {
    EXPECT_EQ(Written([](TNetWriter& w) {
                  w.WriteBoolean(true);
                  w.WriteBoolean(false);
                  w.WriteListBegin();
                  w.WriteListEnd();
              }),
              Bytes({0x09, 0x08, 0x01, 0x00}));

    TMemoryStream stream(Bytes({0x09, 0x08, 0x02, 0x01, 0x00, 0x06, 0x01, 'Q', 0x01, 0x00}));
    TNetReader reader(stream);
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    // A tag that is neither true nor false reads as false and is consumed.
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean()); // the 0x01 that followed
    EXPECT_TRUE(reader.EndOfList());
    EXPECT_TRUE(reader.EndOfList()); // peeking does not consume
    reader.ReadListEnd();
    EXPECT_EQ(reader.ReadChar(), 'Q');
    EXPECT_FALSE(reader.EndOfList());
    reader.ReadListBegin();
    reader.ReadListEnd();
}

TEST(StreamValues, ReaderErrors) {
    // A value with the wrong tag.
    EXPECT_EQ(ErrorOf(Bytes({0x06, 0x00}), [](TNetReader& r) { r.ReadInteger(); }),
              "Invalid property value");
    EXPECT_EQ(ErrorOf(Bytes({0x02, 0x00}), [](TNetReader& r) { r.ReadString(); }),
              "Invalid property value");
    EXPECT_EQ(ErrorOf(Bytes({0x00}), [](TNetReader& r) { r.ReadListBegin(); }),
              "Invalid property value");
    EXPECT_EQ(ErrorOf(Bytes({0x01}), [](TNetReader& r) { r.ReadListEnd(); }),
              "Invalid property value");
    EXPECT_EQ(ErrorOf(Bytes({0x06, 0x02, 'a', 'b'}), [](TNetReader& r) { r.ReadChar(); }),
              "Invalid property value");
    EXPECT_EQ(ErrorOf(Bytes({0x0C, 1, 0, 0, 0, 'a'}), [](TNetReader& r) { r.ReadChar(); }),
              "Invalid property value");

    // The stream ends inside a value, or before it.
    EXPECT_EQ(ErrorOf("", [](TNetReader& r) { r.ReadInteger(); }), "Stream read error");
    EXPECT_EQ(ErrorOf("", [](TNetReader& r) { r.ReadBoolean(); }), "Stream read error");
    EXPECT_EQ(ErrorOf("", [](TNetReader& r) { r.EndOfList(); }), "Stream read error");
    EXPECT_EQ(ErrorOf(Bytes({0x04, 1, 2}), [](TNetReader& r) { r.ReadInteger(); }),
              "Stream read error");
    EXPECT_EQ(ErrorOf(Bytes({0x06, 5, 'a', 'b'}), [](TNetReader& r) { r.ReadString(); }),
              "Stream read error");
    EXPECT_EQ(ErrorOf(Bytes({0x0C, 0, 1}), [](TNetReader& r) { r.ReadString(); }),
              "Stream read error");
}

TEST(StreamValues, LengthsBeyondTheBytesLeftFailWithoutAllocating) {
    // 2 GB and a negative length: refused before any buffer is made for them.
    EXPECT_EQ(
        ErrorOf(Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}), [](TNetReader& r) { r.ReadString(); }),
        "Stream read error");
    EXPECT_EQ(
        ErrorOf(Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}), [](TNetReader& r) { r.ReadString(); }),
        "Stream read error");
    // A list that announces two billion elements holds what it holds.
    TMemoryStream stream(Bytes({0x01, 0x04, 0xFF, 0xFF, 0xFF, 0x7F, 0x00}));
    TNetReader reader(stream);
    std::vector<TStreamable*> list;
    reader.ReadObjectList(list);
    EXPECT_TRUE(list.empty());
}

TEST(StreamValues, ReaderStartsAtTheStreamPosition) {
    TMemoryStream stream(Bytes({0x02, 0x05, 0x02, 0x07}));
    stream.Seek(2);
    TNetReader reader(stream);
    EXPECT_EQ(reader.BytesLeft(), 2);
    EXPECT_EQ(reader.ReadInteger(), 7);
}

TEST(StreamValues, WriterFlushesIntoAFileStreamAtItsPosition) {
    char name[] = "/tmp/qb_stream_XXXXXX";
    int fd = ::mkstemp(name);
    ASSERT_GE(fd, 0);
    ::close(fd);
    {
        TFileStream file(name, TFileStream::Mode::ReadWrite);
        file.WriteInt32(0x01020304);
        TNetWriter writer(file);
        writer.WriteString(std::string(5000, 'z'));
        writer.Flush();
        EXPECT_EQ(file.Size(), 4 + 5 + 5000);
    }
    TFileStream file(name, TFileStream::Mode::ReadOnly);
    EXPECT_EQ(file.ReadInt32(), 0x01020304);
    TNetReader reader(file);
    EXPECT_EQ(reader.ReadString(), std::string(5000, 'z'));
    ::unlink(name);
}

TEST(FileStream, CreateNeverOpensWhatExists) {
    char folder[] = "/tmp/qb_stream_XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string existing = std::string(folder) + "/existing";
    const std::string link = std::string(folder) + "/link";
    {
        TFileStream file(existing, TFileStream::Mode::Create);
        file.Write("kept", 4);
    }
    ASSERT_EQ(::symlink("elsewhere", link.c_str()), 0);
    EXPECT_THROW(TFileStream(existing, TFileStream::Mode::Create), EInOutError);
    EXPECT_THROW(TFileStream(link, TFileStream::Mode::Create), EInOutError);
    EXPECT_EQ(TFileStream(existing, TFileStream::Mode::ReadOnly).Size(), 4);
    EXPECT_FALSE(FileExists(std::string(folder) + "/elsewhere"));
    ::unlink(link.c_str());
    ::unlink(existing.c_str());
    ::rmdir(folder);
}
