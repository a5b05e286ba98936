#include "platform/kernel32/resource_file.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Builds .res records as a resource compiler writes them.
class ResBuilder {
public:
    ResBuilder() { Add(Ordinal(0), Ordinal(0), ""); }  // the leading empty record

    static std::string Ordinal(uint16_t value) {
        std::string id("\xFF\xFF", 2);
        id += static_cast<char>(value & 0xFF);
        id += static_cast<char>(value >> 8);
        return id;
    }

    static std::string Text(const char* text) {
        std::string id;
        for (const char* p = text; *p; ++p) id += std::string(1, *p) + '\0';
        return id + std::string(2, '\0');
    }

    ResBuilder& Add(const std::string& type, const std::string& name, const std::string& data) {
        std::string header = type + name;
        header.resize((header.size() + 3) & ~size_t(3), '\0');
        header += std::string(16, '\0');  // data version, flags, language, version, characteristics
        Dword(static_cast<uint32_t>(data.size()));
        Dword(static_cast<uint32_t>(header.size() + 8));
        bytes_ += header + data;
        bytes_.resize((bytes_.size() + 3) & ~size_t(3), '\0');
        return *this;
    }

    const std::string& bytes() const { return bytes_; }

private:
    void Dword(uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes_ += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    std::string bytes_;
};

std::string Found(const std::vector<layer::ResourceEntry>& entries, const char* name, const char* type) {
    size_t index = 0;
    switch (layer::FindResourceEntry(entries, layer::ResourceIdFromArgument(type), layer::ResourceIdFromArgument(name),
                                     &index)) {
        case layer::ResourceLookup::Found: return std::string(entries[index].data, entries[index].size);
        case layer::ResourceLookup::TypeNotFound: return "(no type)";
        case layer::ResourceLookup::NameNotFound: return "(no name)";
    }
    return "";
}

TEST(ResourceFileTest, FindsByNameOrdinalAndTypeWithoutRegardToCase) {
    ResBuilder res;
    res.Add(ResBuilder::Ordinal(2), ResBuilder::Text("VINTLOGO"), "logo")
        .Add(ResBuilder::Ordinal(2), ResBuilder::Ordinal(123), "numbered!")
        .Add(ResBuilder::Ordinal(14), ResBuilder::Text("AAMAIN"), "icon group")
        .Add(ResBuilder::Text("CUSTOM"), ResBuilder::Text("Data"), "");
    auto entries = layer::ParseResourceFile(res.bytes().data(), res.bytes().size());
    ASSERT_EQ(entries.size(), 4u);
    struct Case {
        const char* name;
        const char* type;
        const char* found;
    } cases[] = {
        {"VINTLOGO", RT_BITMAP, "logo"},
        {"vintlogo", RT_BITMAP, "logo"},
        {MAKEINTRESOURCEA(123), RT_BITMAP, "numbered!"},
        {"#123", RT_BITMAP, "numbered!"},
        {"#123", "#2", "numbered!"},
        {"aamain", RT_GROUP_ICON, "icon group"},
        {"DATA", "custom", ""},
        {"vintlogo", RT_ICON, "(no type)"},
        {"vintbg", RT_BITMAP, "(no name)"},
        {MAKEINTRESOURCEA(124), RT_BITMAP, "(no name)"},
    };
    for (const Case& c : cases) EXPECT_EQ(Found(entries, c.name, c.type), c.found);
}

TEST(ResourceFileTest, MalformedInputStopsAtTheLastWholeRecord) {
    ResBuilder res;
    res.Add(ResBuilder::Ordinal(2), ResBuilder::Text("FIRST"), "one").Add(ResBuilder::Ordinal(2),
                                                                           ResBuilder::Text("SECOND"), "two");
    const std::string& whole = res.bytes();
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        auto entries = layer::ParseResourceFile(whole.data(), cut);
        for (const auto& entry : entries) EXPECT_LE(entry.data + entry.size, whole.data() + cut);
    }
    std::string lying = whole;
    lying[whole.size() - 48] = '\x7F';  // a data size far past the end in the last record
    EXPECT_EQ(layer::ParseResourceFile(lying.data(), lying.size()).size(), 1u);
    EXPECT_TRUE(layer::ParseResourceFile(nullptr, 0).empty());
}

TEST(ResourceFileTest, HandlesFromElsewhereAreRefused) {
    EXPECT_EQ(FindResourceA(reinterpret_cast<HMODULE>(0x1234), "VINTLOGO", RT_BITMAP), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "NO SUCH RESOURCE", "NO SUCH TYPE"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(SizeofResource(nullptr, reinterpret_cast<HRSRC>(0x7777)), 0u);
    EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(0x7777)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// Every test program carries the installer's compiled resource script.
TEST(ResourceFileTest, FindsTheProgramsOwnResourcesByLowerCaseNames) {
    HRSRC logo = FindResourceA(GetModuleHandleA(nullptr), "vintlogo", RT_BITMAP);
    ASSERT_NE(logo, nullptr);
    DWORD size = SizeofResource(nullptr, logo);
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, logo)));
    ASSERT_NE(bytes, nullptr);
    ASSERT_GT(size, sizeof(BITMAPINFOHEADER));
    DWORD headerSize;
    std::memcpy(&headerSize, bytes, sizeof headerSize);
    EXPECT_EQ(headerSize, sizeof(BITMAPINFOHEADER));
    EXPECT_NE(FindResourceA(nullptr, "VintInstall", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "vintlogo", RT_DIALOG), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(nullptr, "vintlogo", RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

}  // namespace
