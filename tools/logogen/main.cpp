// Draws the emblem and writes it as a 16-colour BMP; with a second path, also a PNG of it
// read back from the BMP, for looking at.
#include <cstdio>
#include <string>

#include "raster/RasterImage.h"
#include "tools/logogen/Emblem.h"
#include "tools/logogen/IndexedBmp.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s LOGO.bmp [PREVIEW.png]\n", argv[0]);
        return 2;
    }
    const std::string bmpPath = argv[1];
    vireluna::logogen::IndexedPicture picture;
    if (!vireluna::logogen::DrawEmblem(picture)) {
        std::fprintf(stderr, "the emblem could not be drawn\n");
        return 1;
    }
    if (!vireluna::logogen::WriteIndexedBmp(bmpPath, vireluna::logogen::kEmblemWidth,
                                            vireluna::logogen::kEmblemHeight, picture.indices,
                                            picture.palette)) {
        std::fprintf(stderr, "cannot write %s\n", bmpPath.c_str());
        return 1;
    }
    if (argc == 3) {
        vireluna::raster::RasterImage image;
        if (!vireluna::raster::ReadBmp(bmpPath, image) ||
            !vireluna::raster::WritePng(image, argv[2])) {
            std::fprintf(stderr, "cannot write the preview %s\n", argv[2]);
            return 1;
        }
    }
    return 0;
}
