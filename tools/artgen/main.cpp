// Draws the installer's bitmaps and icon. The output depends only on this
// program and the fonts, so running it again gives the same files.
//   artgen <resource folder> [<preview folder>]
#include "artwork.h"
#include "bmp_file.h"
#include "preview_png.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    using namespace artgen;
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: artgen <resource folder> [<preview folder>]\n");
        return 2;
    }
    const std::string out = std::string(argv[1]) + "/";
    const std::string preview = argc == 3 ? std::string(argv[2]) + "/" : "";

    const IndexedImage makerLogo = MakerLogo();
    WriteIndexedBmp(out + "vintlogo.bmp", makerLogo, 8);
    if (!preview.empty()) WritePreview(preview + "vintlogo.png", Expand(makerLogo), 3);

    const IndexedImage productLogo = ProductLogo();
    WriteIndexedBmp(out + "tesmaralogo.bmp", productLogo, 8);
    if (!preview.empty()) {
        // As the dialog shows it: the green key replaced by the button face.
        IndexedImage onFace = productLogo;
        for (Rgb8& entry : onFace.palette)
            if (entry == Rgb8{0, 255, 0}) entry = Rgb8{192, 192, 192};
        WritePreview(preview + "tesmaralogo.png", Expand(onFace), 3);
    }

    const IndexedImage tile16 = BackdropTile16();
    WriteIndexedBmp(out + "vintbg.bmp", tile16, 4);
    const RgbImage tileTrueColour = BackdropTileTrueColour();
    WriteTrueColourBmp(out + "vintbgtc.bmp", tileTrueColour);
    if (!preview.empty()) {
        WritePreview(preview + "vintbg.png", Tiled(Expand(tile16), 640, 480), 1);
        WritePreview(preview + "vintbgtc.png", Tiled(tileTrueColour, 800, 600), 1);
    }

    const std::vector<IconImage> icon = ProgramIcon();
    WriteIcon(out + "aamain.ico", icon);
    if (!preview.empty()) {
        for (const IconImage& image : icon) {
            // Shown on the desktop teal, where transparent pixels let it through.
            IndexedImage onDesktop = image.colours;
            for (size_t i = 0; i < onDesktop.indices.size(); ++i)
                if (image.transparent[i]) onDesktop.indices[i] = 6;
            WritePreview(preview + "aamain" + std::to_string(image.colours.width) + ".png", Expand(onDesktop), 8);
        }
    }
    return 0;
}
