#include "platform/user32/dialog_template.h"

#include <cstring>
#include <utility>

namespace layer {
namespace {

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

// A bounds-checked reader over the template's bytes; strings are UTF-16.
class Reader {
public:
    Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    bool Word(WORD* value) {
        if (size_ - offset_ < 2) return false;
        std::memcpy(value, data_ + offset_, 2);
        offset_ += 2;
        return true;
    }

    template <typename T>
    bool Struct(T* value) {
        if (size_ - offset_ < sizeof(T)) return false;
        std::memcpy(value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return true;
    }

    // A NUL-terminated UTF-16 string; characters beyond Latin-1 become '?'.
    bool String(std::string* out) {
        out->clear();
        for (WORD c; Word(&c);) {
            if (c == 0) return true;
            out->push_back(c < 0x100 ? static_cast<char>(c) : '?');
        }
        return false;
    }

    // A string, an ordinal (0xFFFF then a WORD) or nothing (0x0000).
    bool StringOrOrdinal(std::string* text, WORD* ordinal) {
        WORD first;
        text->clear();
        *ordinal = 0;
        if (!Word(&first)) return false;
        if (first == 0) return true;
        if (first == 0xFFFF) return Word(ordinal);
        offset_ -= 2;
        return String(text);
    }

    bool Skip(size_t n) {
        if (size_ - offset_ < n) return false;
        offset_ += n;
        return true;
    }

    bool AlignToDword() { return Skip((4 - offset_ % 4) % 4); }
    const BYTE* Here() const { return data_ + offset_; }

private:
    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
};

const char* PredefinedClass(WORD atom) {
    switch (atom) {
    case 0x0080: return "BUTTON";
    case 0x0081: return "EDIT";
    case 0x0082: return "STATIC";
    case 0x0083: return "LISTBOX";
    case 0x0084: return "SCROLLBAR";
    case 0x0085: return "COMBOBOX";
    default: return nullptr;
    }
}

// The classic dialog and item headers share their style and placement fields.
template <typename Header, typename Parsed>
void CopyStyleAndPlacement(const Header& header, Parsed* out) {
    out->style = header.style;
    out->exStyle = header.dwExtendedStyle;
    out->x = header.x;
    out->y = header.y;
    out->cx = header.cx;
    out->cy = header.cy;
}

bool ParseItem(Reader& r, DialogItem* item) {
    DLGITEMTEMPLATE header;
    if (!r.AlignToDword() || !r.Struct(&header)) return false;
    CopyStyleAndPlacement(header, item);
    item->id = header.id;
    WORD ordinal;
    if (!r.StringOrOrdinal(&item->className, &ordinal)) return false;
    if (item->className.empty()) {
        const char* name = PredefinedClass(ordinal);
        if (!name) return false;
        item->className = name;
    }
    if (!r.StringOrOrdinal(&item->title, &ordinal)) return false;
    // Creation data: a size word (counting itself), then the bytes.
    WORD extra;
    if (!r.Word(&extra)) return false;
    if (extra > 2) {
        item->creationData = r.Here() - 2;
        if (!r.Skip(extra - 2u)) return false;
    }
    return true;
}

}  // namespace

bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate* out) {
    if (!data) return false;
    Reader r(static_cast<const BYTE*>(data), size);
    DLGTEMPLATE header;
    if (!r.Struct(&header)) return false;
    // DLGTEMPLATEEX begins with version 1 and signature 0xFFFF; only the classic form is read.
    if ((header.style & 0xFFFF0000u) == 0xFFFF0000u && (header.style & 0xFFFF) == 1) return false;
    *out = DialogTemplate{};
    CopyStyleAndPlacement(header, out);
    std::string menu;
    WORD ordinal;
    if (!r.StringOrOrdinal(&menu, &ordinal) || !r.StringOrOrdinal(&out->className, &ordinal) ||
        !r.String(&out->title))
        return false;
    if (out->className.empty() && ordinal) out->className = "#" + std::to_string(ordinal);
    if (header.style & DS_SETFONT) {
        WORD points;
        if (!r.Word(&points) || !r.String(&out->face)) return false;
        out->pointSize = points;
    }
    // Items are added as they are read, so a count the bytes cannot hold costs nothing.
    for (WORD i = 0; i < header.cdit; ++i) {
        DialogItem item;
        if (!ParseItem(r, &item)) return false;
        out->items.push_back(std::move(item));
    }
    return true;
}

namespace {

// units * base / divisor rounded half away from zero, as MulDiv does it.
int Scale(int units, int base, int divisor) {
    long long product = static_cast<long long>(units) * base;
    long long magnitude = ((product < 0 ? -product : product) + divisor / 2) / divisor;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

}  // namespace

int DialogUnitsToPixelsX(int units) { return Scale(units, kBaseUnitX, 4); }
int DialogUnitsToPixelsY(int units) { return Scale(units, kBaseUnitY, 8); }

}  // namespace layer
