// Writes the saver's three pictures (the face atlas, its mask and the logo mask) and the
// program's icon, one of the faces.
//   pictures OUTDIR [FIRST LAST]   (FIRST..LAST limits the atlas to those cells, for quick looks)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "atlas.h"
#include "icon.h"
#include "jpeg_out.h"
#include "logo.h"
#include "verify.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s OUTDIR [FIRST LAST]\n", argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    int first = argc == 4 ? std::atoi(argv[2]) : 0, last = argc == 4 ? std::atoi(argv[3]) : 127;

    std::vector<Face> faces = allFaces();
    for (size_t i = 0; i < faces.size(); ++i) std::printf("cell %3zu  %s\n", i, faces[i].name.c_str());

    std::vector<uint8_t> rgb, mask;
    renderAtlas(faces, rgb, mask, [&](int cell) { return cell >= first && cell <= last; });

    JpegOptions colour;
    colour.quality = 90;
    JpegOptions masks;
    masks.quality = 95;
    JpegOptions logoOptions;
    logoOptions.quality = 95;
    logoOptions.restartInterval = 32;
    logoOptions.metadataSegments = true;

    std::vector<uint8_t> logo =
        renderLogo("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "Brisalo", 256, 64, 8);
    if (logo.empty()) return 1;

    bool ok = writeJpeg(dir + "/JPEG_ORBELINE_RGB.jpg", rgb.data(), kAtlasWidth, kAtlasHeight, 3, colour) &&
              writeJpeg(dir + "/JPEG_ORBELINE_MASK.jpg", mask.data(), kAtlasWidth, kAtlasHeight, 1, masks) &&
              writeJpeg(dir + "/LOGO_MASK.jpg", logo.data(), 256, 64, 1, logoOptions);
    // The icon is a face that stays clear at 16 pixels: bright vanes on a pale glass ball.
    const Face* iconFace = nullptr;
    for (const Face& face : faces) {
        if (face.name == "rainbow vane marble") iconFace = &face;
    }
    ok = ok && iconFace != nullptr && writeIcons(dir, *iconFace);
    if (!ok) {
        std::fprintf(stderr, "cannot write into %s\n", dir.c_str());
        return 1;
    }
    // A partial atlas leaves cells empty on purpose; only a full one can pass the checks.
    if (first == 0 && last == 127 && !verifyPictures(dir)) return 1;
    return 0;
}
