#include "app/control_ids.h"
#include "unit/display/res_reader.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

struct Item {
    uint32_t style, exStyle;
    int x, y, width, height;
    uint16_t id;
    std::string className, text;
};

struct Template {
    uint32_t style = 0, exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string menu, className, caption, font;
    int pointSize = 0;
    std::vector<Item> items;
};

int Short(const Bytes& b, size_t at) { return static_cast<int16_t>(Word(b, at)); }

Template ParseDialog(const Bytes& b) {
    Template t;
    t.style = Dword(b, 0);
    t.exStyle = Dword(b, 4);
    const int count = Word(b, 8);
    t.x = Short(b, 10);
    t.y = Short(b, 12);
    t.width = Short(b, 14);
    t.height = Short(b, 16);
    size_t at = 18;
    t.menu = NameOrOrdinal(b, &at);
    t.className = NameOrOrdinal(b, &at);
    t.caption = NameOrOrdinal(b, &at);
    if (t.style & 0x40) {  // DS_SETFONT
        t.pointSize = Word(b, at);
        at += 2;
        t.font = NameOrOrdinal(b, &at);
    }
    for (int i = 0; i < count; ++i) {
        at = (at + 3) & ~size_t{3};
        Item item{Dword(b, at), Dword(b, at + 4), Short(b, at + 8), Short(b, at + 10),
                  Short(b, at + 12), Short(b, at + 14), Word(b, at + 16), "", ""};
        at += 18;
        item.className = NameOrOrdinal(b, &at);
        item.text = NameOrOrdinal(b, &at);
        at += 2 + Word(b, at);  // creation data
        t.items.push_back(item);
    }
    return t;
}

// Resource compilers store the predefined control classes either by name or as ordinals.
std::string ClassName(const std::string& stored) {
    if (stored == "#128") return "BUTTON";
    if (stored == "#129") return "EDIT";
    if (stored == "#130") return "STATIC";
    std::string upper = stored;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

TEST(DialogTemplate, InstallerDialogIsCompiledAsDesigned) {
    const std::vector<Resource> resources = CompiledResources();
    const Resource* dialog = FindResource(resources, "#5", "VINTINSTALL");
    ASSERT_NE(dialog, nullptr);
    const Template t = ParseDialog(dialog->data);
    EXPECT_EQ(t.style, 0x00C000C4u);
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ(t.x, 18);
    EXPECT_EQ(t.y, 15);
    EXPECT_EQ(t.width, 292);
    EXPECT_EQ(t.height, 201);
    EXPECT_EQ(t.menu, "");
    EXPECT_EQ(ClassName(t.className), "VINTINSTALL");  // class names are matched without regard to case
    EXPECT_EQ(t.caption, "Vintrel Software - Tesmara 98 Install");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.font, "MS Sans Serif");

    const std::vector<Item> expected = {
        {0x50020000, 0, 76, 1, 129, 55, IDC_PRODUCT_LOGO, "STATIC", ""},
        {0x50020000, 0, 76, 52, 253, 8, IDC_NOTICE, "STATIC", "Copyr"},
        {0x50020000, 0, 76, 76, 200, 26, IDC_MESSAGE, "STATIC",
         "Welcome to the Tesmara 98 Skyledger Install program. Please select the install folder and the options "
         "you wish, then click the Install button."},
        {0x4000000B, 0, 76, 105, 205, 20, IDC_PROGRESS, "STATIC", ""},
        {0x50810000, 0, 77, 110, 187, 12, IDC_DEST_FOLDER, "EDIT", ""},
        {0x50010003, 0, 77, 130, 173, 12, IDC_STARTUP_CHECK, "BUTTON", "Show Tesmara Taskbar Icon at System Startup"},
        {0x50020000, 0, 76, 151, 123, 12, IDC_DISK_SPACE, "STATIC", "Size..."},
        {0x50010000, 0, 84, 177, 54, 16, IDC_README, "BUTTON", "Readme"},
        {0x50010000, 0, 144, 177, 54, 16, 1, "BUTTON", "Install >"},
        {0x50010000, 0, 218, 177, 54, 16, IDC_FINISH, "BUTTON", "Cancel"},
        {0x50000010, 0, 76, 69, 200, 1, 0xFFFF, "STATIC", ""},
        {0x50000010, 0, 11, 168, 268, 1, 0xFFFF, "STATIC", ""},
        {0x50000000, 0, 7, 15, 61, 138, IDC_MAKER_LOGO, "STATIC", ""},
    };
    ASSERT_EQ(t.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        const Item& a = t.items[i];
        const Item& e = expected[i];
        EXPECT_EQ(a.style, e.style);
        EXPECT_EQ(a.exStyle, e.exStyle);
        EXPECT_EQ(a.x, e.x);
        EXPECT_EQ(a.y, e.y);
        EXPECT_EQ(a.width, e.width);
        EXPECT_EQ(a.height, e.height);
        EXPECT_EQ(a.id, e.id);
        EXPECT_EQ(ClassName(a.className), e.className);
        EXPECT_EQ(a.text, e.text);
    }
}

TEST(DialogTemplate, ArtworkIsBoundUnderItsNames) {
    const std::vector<Resource> resources = CompiledResources();
    for (const char* name : {"VINTLOGO", "TESMARALOGO", "VINTBG", "VINTBGTC"}) {
        SCOPED_TRACE(name);
        const Resource* bitmap = FindResource(resources, "#2", name);
        ASSERT_NE(bitmap, nullptr);
        // A bitmap resource is its file without the 14-byte file header.
        std::string file = name;
        for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const Bytes bytes = ReadResFile(file + ".bmp");
        ASSERT_GT(bytes.size(), 14u);
        EXPECT_EQ(bitmap->data, Bytes(bytes.begin() + 14, bytes.end()));
    }
    const Resource* group = FindResource(resources, "#14", "AAMAIN");
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(Word(group->data, 4), 2) << "two images";
    for (int i = 0; i < 2; ++i) {
        const size_t entry = 6 + 14 * i;
        EXPECT_EQ(Word(group->data, entry + 6), 4) << "bits per pixel";
        const std::string image = "#" + std::to_string(Word(group->data, entry + 12));
        EXPECT_NE(FindResource(resources, "#3", image), nullptr) << image;
    }
}

}  // namespace
