// The resources as they stand in the built Monoglint.scr, read back with the
// system's resource functions: dialog template 2003 control by control, the
// icon, the two bitmaps and the description string.
#include "wine_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Control {
    int id;
    std::string windowClass;  // a name, or "#<ordinal>" for the predefined classes
    DWORD style;
    short x, y, cx, cy;
    std::string text;  // "#<ordinal>" for a bitmap given by number
};

const char* const button = "#128";
const char* const edit = "#129";
const char* const label = "#130";
const char* const comboBox = "#133";
const char* const trackbar = "msctls_trackbar32";

const Control expectedControls[] = {
    {1, button, 0x50010001, 340, 278, 50, 14, "OK"},
    {2, button, 0x50010000, 7, 278, 50, 14, "Cancel"},
    {1006, button, 0x50020009, 18, 104, 87, 10, "Classic Monoglint"},
    {1007, button, 0x50000009, 22, 127, 83, 10, "Custom Colors For..."},
    {-1, button, 0x50000007, 7, 91, 113, 179, "Colors"},
    {1008, button, 0x50010000, 18, 140, 89, 14, "The Background"},
    {1009, button, 0x50010000, 18, 158, 89, 14, "Background Shapes"},
    {1010, button, 0x50010000, 18, 177, 89, 14, "Foreground Shapes"},
    {-1, label, 0x50020000, 49, 116, 18, 10, "-OR-"},
    {-1, button, 0x50000007, 123, 140, 157, 130, "Background Rotation"},
    {1011, button, 0x50030003, 133, 151, 103, 10, "Rotate Background Shapes"},
    {1012, button, 0x50010003, 133, 174, 35, 10, "X Axis"},
    {1013, button, 0x50010003, 133, 186, 35, 10, "Y Axis"},
    {1014, button, 0x50010003, 133, 198, 35, 10, "Z Axis"},
    {-1, label, 0x50020000, 133, 162, 56, 10, "Around The..."},
    {1015, trackbar, 0x50010018, 149, 245, 100, 16, ""},
    {-1, label, 0x50020000, 170, 222, 53, 11, "Rotation Speed"},
    {-1, label, 0x50020000, 147, 235, 22, 10, "Faster"},
    {-1, label, 0x50020000, 233, 234, 23, 9, "Slower"},
    {-1, label, 0x5000120E, 7, 7, 383, 40, "#107"},
    {-1, button, 0x50000007, 7, 49, 114, 38, "Backgrounds"},
    {1019, comboBox, 0x50210903, 15, 68, 94, 104, ""},
    {-1, label, 0x50020000, 21, 57, 86, 11, "Choose A Background..."},
    {1016, button, 0x50010000, 18, 196, 90, 14, "Where Shapes Intersect"},
    {1025, trackbar, 0x50010018, 288, 120, 100, 15, ""},
    {-1, label, 0x50020000, 288, 108, 21, 10, "Faster"},
    {-1, label, 0x50020000, 367, 108, 22, 11, "Slower"},
    {-1, button, 0x50000007, 285, 140, 105, 65, "Foreground Shapes"},
    {1026, button, 0x50010003, 292, 180, 42, 10, "Squares"},
    {1027, button, 0x50010003, 292, 170, 34, 10, "Ovals"},
    {1028, button, 0x50010003, 292, 190, 45, 10, "Triangles"},
    {-1, label, 0x50020000, 293, 151, 78, 17, "Foreground shapes should be..."},
    {-1, button, 0x50000007, 285, 50, 105, 89, "Foreground Shape's Options"},
    {1031, edit, 0x50812080, 325, 79, 24, 12, ""},
    {-1, label, 0x50020000, 289, 60, 100, 17, "Number of Foreground Shapes\n                   (1-50)"},
    {-1, button, 0x50000007, 285, 206, 105, 64, "Website"},
    {-1, label, 0x50020000, 289, 215, 100, 18, "Make sure you have the latest version."},
    {-1, label, 0x5000020E, 138, 53, 130, 71, "#112"},
    {-1, label, 0x50020000, 139, 281, 126, 10, "Copyright (c) 2026 Pellumbra"},
    {-1, label, 0x50020000, 314, 98, 49, 11, "Shape Speed"},
    {1022, button, 0x50010000, 16, 246, 94, 12, "Suggested Custom Colors"},
    {-1, label, 0x50020000, 16, 212, 96, 12, "________________________"},
    {-1, label, 0x50020000, 16, 225, 98, 17, "For you convenience, I've put together a list of:"},
    {1034, button, 0x50010000, 313, 236, 50, 14, "Click Here"},
};

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// Reads the template's variable parts: a name, or 0xFFFF and an ordinal.
class TemplateReader {
public:
    explicit TemplateReader(const void* start) : p_(static_cast<const BYTE*>(start)) {}
    WORD word() { WORD v; memcpy(&v, p_, 2); p_ += 2; return v; }
    DWORD dword() { DWORD v; memcpy(&v, p_, 4); p_ += 4; return v; }
    std::string nameOrOrdinal()
    {
        WORD first = word();
        if (first == 0xFFFF)
            return "#" + std::to_string(word());
        std::string text;
        for (WORD c = first; c; c = word())
            text += static_cast<char>(c);
        return text;
    }
    void alignToDword(const void* base)
    {
        size_t offset = p_ - static_cast<const BYTE*>(base);
        p_ += (4 - offset % 4) % 4;
    }
    void skip(size_t bytes) { p_ += bytes; }

private:
    const BYTE* p_;
};

class Resources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryExA(driver::builtSaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module);
    }
    void TearDown() override { FreeLibrary(module); }
    const void* resource(LPCSTR type, int id, DWORD* size = nullptr)
    {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        if (!found)
            return nullptr;
        if (size)
            *size = SizeofResource(module, found);
        return LockResource(LoadResource(module, found));
    }
    HMODULE module = nullptr;
};

TEST_F(Resources, DialogTemplateHoldsEveryControl)
{
    const void* start = resource(MAKEINTRESOURCEA(5) /* RT_DIALOG */, 2003);
    ASSERT_TRUE(start);
    TemplateReader in(start);
    EXPECT_EQ(in.word(), 1) << "an extended template";
    EXPECT_EQ(in.word(), 0xFFFF);
    in.dword();                          // help id
    EXPECT_EQ(in.dword(), 0u);           // extended style
    EXPECT_EQ(in.dword(), 0x80C808CCu);  // style
    const WORD count = in.word();
    EXPECT_EQ(count, 44);
    const short frame[4] = {short(in.word()), short(in.word()), short(in.word()), short(in.word())};
    EXPECT_EQ(frame[0], 0);
    EXPECT_EQ(frame[1], 0);
    EXPECT_EQ(frame[2], 397);
    EXPECT_EQ(frame[3], 299);
    EXPECT_EQ(in.nameOrOrdinal(), "") << "no menu";
    EXPECT_EQ(in.nameOrOrdinal(), "") << "the default dialog class";
    EXPECT_EQ(in.nameOrOrdinal(), "Monoglint Screensaver Options");
    EXPECT_EQ(in.word(), 8) << "point size";
    EXPECT_EQ(in.word(), 400) << "weight";
    WORD italicAndCharset = in.word();
    EXPECT_EQ(italicAndCharset & 0xFF, 0) << "not italic";
    EXPECT_EQ(italicAndCharset >> 8, 1) << "character set";
    EXPECT_EQ(in.nameOrOrdinal(), "MS Shell Dlg");

    for (int i = 0; i < count && i < 44; ++i) {
        const Control& want = expectedControls[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + " \"" + want.text + "\"");
        in.alignToDword(start);
        in.dword();  // help id
        EXPECT_EQ(in.dword(), 0u) << "extended style";
        EXPECT_EQ(in.dword(), want.style);
        const short box[4] = {short(in.word()), short(in.word()), short(in.word()), short(in.word())};
        EXPECT_EQ(box[0], want.x);
        EXPECT_EQ(box[1], want.y);
        EXPECT_EQ(box[2], want.cx);
        EXPECT_EQ(box[3], want.cy);
        EXPECT_EQ(static_cast<int>(in.dword()), want.id);
        EXPECT_EQ(lowerCase(in.nameOrOrdinal()), want.windowClass) << "class names do not heed case";
        EXPECT_EQ(in.nameOrOrdinal(), want.text);
        in.skip(in.word());  // creation data
    }
}

TEST_F(Resources, IconBitmapsAndDescription)
{
    // Icon 100: one 48 x 48 image with 256 colours.
    DWORD size = 0;
    const BYTE* group = static_cast<const BYTE*>(resource(MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, 100, &size));
    ASSERT_TRUE(group);
    WORD images;
    memcpy(&images, group + 4, 2);
    EXPECT_EQ(images, 1);
    EXPECT_EQ(group[6], 48);
    EXPECT_EQ(group[7], 48);
    WORD bitCount;
    memcpy(&bitCount, group + 6 + 6, 2);
    EXPECT_EQ(bitCount, 8);

    const struct {
        int id;
        LONG width, height;
    } bitmaps[] = {{107, 420, 139}, {112, 201, 201}};
    for (const auto& b : bitmaps) {
        const auto* info = static_cast<const BITMAPINFOHEADER*>(resource(MAKEINTRESOURCEA(2) /* RT_BITMAP */, b.id));
        ASSERT_TRUE(info) << "bitmap " << b.id;
        EXPECT_EQ(info->biWidth, b.width) << b.id;
        EXPECT_EQ(info->biHeight, b.height) << b.id;
        EXPECT_EQ(info->biBitCount, 24) << b.id;
        EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RGB)) << b.id;
    }

    char description[32] = "";
    EXPECT_EQ(LoadStringA(module, 1, description, sizeof(description)), 9);
    EXPECT_STREQ(description, "Monoglint");
}

}  // namespace
