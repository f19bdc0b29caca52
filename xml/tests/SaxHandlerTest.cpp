#include "xml/SaxHandler.h"

#include "common/UniqueHandle.h"
#include "xml/XmlServices.h"
#include "testsupport/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tlv {
namespace {

using test::ComScope;
using test::TempFolder;
using test::WriteBytes;

// Records every event as "<name", "text", ">name"; refuses at the element named refuseAt.
class RecordingHandler : public SaxHandler {
public:
    std::vector<std::string> events;
    std::string refuseAt;

protected:
    int OnStartElement(const char* name) override {
        events.push_back(std::string("<") + name);
        return name == refuseAt ? 1 : 0;
    }
    int OnCharacters(const char* text) override {
        // Text may arrive in pieces; join neighbours so that tests see whole runs.
        if (!events.empty() && events.back().rfind("\"", 0) == 0) {
            events.back().insert(events.back().size() - 1, text);
        } else {
            events.push_back(std::string("\"") + text + "\"");
        }
        return 0;
    }
    int OnEndElement(const char* name) override {
        events.push_back(std::string(">") + name);
        return 0;
    }
};

class SaxHandlerTest : public ::testing::Test {
protected:
    std::string WriteDocument(const std::string& bytes, const std::string& name = "in.xml") {
        const std::string path = folder_.Path(name);
        WriteBytes(path, bytes);
        return path;
    }

    ComScope com_;
    TempFolder folder_;
    RecordingHandler handler_;
};

using Events = std::vector<std::string>;

TEST_F(SaxHandlerTest, DeliversLocalNamesAndTextsAsAnsi) {
    const std::string path = WriteDocument(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<a:plugins xmlns:a=\"urn:x\" attr=\"ignored\"><a:id>A&amp;B &lt;\xC3\xA9\xE2\x82\xAC\xE4\xB8\x80</a:id>"
        "<!-- c --><?pi data?><empty/></a:plugins>");
    EXPECT_EQ(handler_.ParseFile(path.c_str()), S_OK);
    // é is in code page 1252 (0xE9), so is the euro sign (0x80); a CJK character is not and becomes "?".
    EXPECT_EQ(handler_.events, (Events{"<plugins", "<id", "\"A&B <\xE9\x80?\"", ">id", "<empty", ">empty",
                                       ">plugins"}));
}

TEST_F(SaxHandlerTest, RefusalEndsTheParse) {
    handler_.refuseAt = "second";
    const std::string path = WriteDocument("<r><first/><second/><third/></r>");
    EXPECT_NE(handler_.ParseFile(path.c_str()), S_OK);
    EXPECT_EQ(handler_.events, (Events{"<r", "<first", ">first", "<second"}));
}

TEST_F(SaxHandlerTest, MalformedDocumentFailsAfterDeliveringWhatCameBefore) {
    const std::string path = WriteDocument("<r><ok>1</ok><broken></r>");
    EXPECT_NE(handler_.ParseFile(path.c_str()), S_OK);
    ASSERT_GE(handler_.events.size(), 4u);
    EXPECT_EQ(Events(handler_.events.begin(), handler_.events.begin() + 4), (Events{"<r", "<ok", "\"1\"", ">ok"}));
}

TEST_F(SaxHandlerTest, UnreadableFilesFailWithoutEvents) {
    const std::string heldPath = WriteDocument("<r/>", "held.xml");
    const UniqueFile writer(::CreateFileA(heldPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer.IsValid());
    const std::string cases[] = {
        folder_.Path("missing.xml"),
        folder_.Path(""),                          // a folder
        heldPath,                                  // open elsewhere without sharing
        folder_.Path(std::string(400, 'x') + ".xml"),  // longer than any path the platform takes
        "",
    };
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        EXPECT_NE(handler_.ParseFile(path.c_str()), S_OK);
        EXPECT_TRUE(handler_.events.empty());
    }
    EXPECT_NE(handler_.ParseFile(nullptr), S_OK);
}

TEST_F(SaxHandlerTest, ReadsFileThatAnotherProgramIsReading) {
    const std::string path = WriteDocument("<r/>");
    const UniqueFile reader(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader.IsValid());
    EXPECT_EQ(handler_.ParseFile(path.c_str()), S_OK);
    EXPECT_EQ(handler_.events, (Events{"<r", ">r"}));
}

TEST_F(SaxHandlerTest, NamesFilesExactlyEvenWithPercentSigns) {
    // As a URL, pc%20t would name the folder "pc t".
    ASSERT_TRUE(::CreateDirectoryA(folder_.Path("pc%20t").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(folder_.Path("pc t").c_str(), nullptr));
    WriteDocument("<right/>", "pc%20t\\in.xml");
    WriteDocument("<wrong/>", "pc t\\in.xml");
    EXPECT_EQ(handler_.ParseFile(folder_.Path("pc%20t\\in.xml").c_str()), S_OK);
    EXPECT_EQ(handler_.events, (Events{"<right", ">right"}));
}

TEST_F(SaxHandlerTest, ReadsLongOneLineDocument) {
    std::string document = "<plugins>";
    for (int i = 0; i < 10000; ++i) {
        document += "<plugin><id>" + std::to_string(i) + "</id></plugin>";
    }
    const std::string path = WriteDocument(document + "</plugins>");
    EXPECT_EQ(handler_.ParseFile(path.c_str()), S_OK);
    EXPECT_EQ(handler_.events.size(), 2u + 10000u * 5u);
}

TEST_F(SaxHandlerTest, ReferenceCountIsBackToOneAfterParse) {
    const std::string path = WriteDocument("<r/>");
    handler_.ParseFile(path.c_str());
    EXPECT_EQ(handler_.ReferenceCount(), 1u);
}

TEST_F(SaxHandlerTest, BufferGrowsToFitAndNeverShrinks) {
    EXPECT_EQ(handler_.BufferCapacity(), 256u);
    const std::wstring longText(300, L'x');
    handler_.characters(longText.c_str(), static_cast<int>(longText.size()));
    EXPECT_EQ(handler_.BufferCapacity(), 301u);
    handler_.characters(L"0123456789", 10);
    EXPECT_EQ(handler_.BufferCapacity(), 301u);
    EXPECT_EQ(handler_.events, (Events{"\"" + std::string(300, 'x') + "0123456789\""}));
}

TEST_F(SaxHandlerTest, EmptyTextRunArrivesAsEmptyText) {
    EXPECT_EQ(handler_.characters(L"", 0), S_OK);
    EXPECT_EQ(handler_.characters(nullptr, 0), S_OK);
    EXPECT_EQ(handler_.events, (Events{"\"\""}));
}

TEST_F(SaxHandlerTest, HandlerResultBecomesTheStatus) {
    handler_.refuseAt = "no";
    EXPECT_EQ(handler_.startElement(L"", 0, L"no", 2, L"no", 2, nullptr), 1);
    EXPECT_EQ(handler_.startElement(L"", 0, L"yes", 3, L"yes", 3, nullptr), S_OK);
}

TEST_F(SaxHandlerTest, BothInterfacesShareOneIdentityAndCount) {
    ISAXErrorHandler* errorSide = &handler_;
    ISAXContentHandler* contentSide = &handler_;
    void* unknown = nullptr;
    ASSERT_EQ(errorSide->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(unknown, static_cast<void*>(contentSide));
    void* content = nullptr;
    ASSERT_EQ(errorSide->QueryInterface(kISAXContentHandler, &content), S_OK);
    EXPECT_EQ(content, static_cast<void*>(contentSide));
    EXPECT_EQ(handler_.ReferenceCount(), 3u);

    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(contentSide->QueryInterface(IID_IStream, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);

    errorSide->AddRef();
    contentSide->Release();
    contentSide->Release();
    errorSide->Release();
    EXPECT_EQ(handler_.ReferenceCount(), 1u);
}

}  // namespace
}  // namespace tlv
