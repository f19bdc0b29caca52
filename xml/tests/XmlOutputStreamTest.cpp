#include "xml/XmlOutputStream.h"

#include "common/ReplacementFile.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

namespace tlv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(XmlOutputStream, AnswersStreamInterfacesOnly) {
    TempFolder folder;
    ReplacementFile file(folder.Path("out.xml"));
    ASSERT_TRUE(file.Open());
    XmlOutputStream stream(file);
    const IID supported[] = {IID_IUnknown, IID_ISequentialStream, IID_IStream};
    for (const IID& iid : supported) {
        void* object = nullptr;
        EXPECT_EQ(stream.QueryInterface(iid, &object), S_OK);
        EXPECT_EQ(object, static_cast<IStream*>(&stream));
        stream.Release();
    }
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(stream.QueryInterface(IID_IDispatch, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(stream.ReferenceCount(), 1u);
}

TEST(XmlOutputStream, WritesThroughToTheReplacementFile) {
    TempFolder folder;
    const std::string path = folder.Path("out.xml");
    ReplacementFile file(path);
    ASSERT_TRUE(file.Open());
    {
        XmlOutputStream stream(file);
        ULONG written = 99;
        EXPECT_EQ(stream.Write("", 0, &written), S_OK);
        EXPECT_EQ(written, 0u);
        EXPECT_EQ(stream.Write("abc", 3, &written), S_OK);
        EXPECT_EQ(written, 3u);
        EXPECT_EQ(stream.Write("de", 2, nullptr), S_OK);
    }
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadBytes(path), "abcde");
}

TEST(XmlOutputStream, ReadsFileToItsEnd) {
    TempFolder folder;
    const std::string path = folder.Path("in.xml");
    WriteBytes(path, "<r/>");
    XmlOutputStream stream(path.c_str());
    ASSERT_TRUE(stream.IsOpen());
    char buffer[16] = {};
    ULONG read = 0;
    EXPECT_EQ(stream.Read(buffer, sizeof(buffer), &read), S_OK);
    EXPECT_EQ(std::string(buffer, read), "<r/>");
    EXPECT_EQ(stream.Read(buffer, sizeof(buffer), &read), S_OK);
    EXPECT_EQ(read, 0u);
    stream.Close();
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(stream.Read(buffer, sizeof(buffer), &read), STG_E_READFAULT);
}

TEST(XmlOutputStream, MissingFileIsNotOpen) {
    TempFolder folder;
    EXPECT_FALSE(XmlOutputStream(folder.Path("missing.xml").c_str()).IsOpen());
    EXPECT_FALSE(XmlOutputStream(nullptr).IsOpen());
}

}  // namespace
}  // namespace tlv
