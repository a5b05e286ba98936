#include "ico_file.h"

#include "dib_bytes.h"

namespace artgen {

namespace {

Bytes IconDib(const IconImage& icon) {
    const IndexedImage& image = icon.colours;
    IndexedImage mask{image.width, image.height, {}, icon.transparent};
    const Bytes colourBits = PackedRows(image, 4);
    const Bytes maskBits = PackedRows(mask, 1);
    Bytes out;
    // An icon's header counts the colour rows and the mask rows together.
    PutInfoHeader(out, image.width, image.height * 2, 4, static_cast<uint32_t>(colourBits.size() + maskBits.size()), 0);
    PutColourTable(out, image.palette);
    out.insert(out.end(), colourBits.begin(), colourBits.end());
    out.insert(out.end(), maskBits.begin(), maskBits.end());
    return out;
}

}  // namespace

void WriteIcon(const std::string& path, const std::vector<IconImage>& images) {
    Bytes out;
    PutWord(out, 0);
    PutWord(out, 1);  // icon, not cursor
    PutWord(out, static_cast<uint16_t>(images.size()));
    std::vector<Bytes> dibs;
    for (const IconImage& icon : images) dibs.push_back(IconDib(icon));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].colours.width));
        out.push_back(static_cast<uint8_t>(images[i].colours.height));
        out.push_back(16);  // colours
        out.push_back(0);
        PutWord(out, 1);  // planes
        PutWord(out, 4);  // bits per pixel
        PutDword(out, static_cast<uint32_t>(dibs[i].size()));
        PutDword(out, offset);
        offset += static_cast<uint32_t>(dibs[i].size());
    }
    for (const Bytes& dib : dibs) out.insert(out.end(), dib.begin(), dib.end());
    WriteFileBytes(path, out);
}

}  // namespace artgen
