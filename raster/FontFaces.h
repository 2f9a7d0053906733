#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fontconfig.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/ports/Surface.h"

namespace vireluna::raster {

// An open scalable face and the cell a display font of it fills, in font units.
struct LoadedFace {
    FT_Face face = nullptr;
    bool embolden = false;  // the family has no bold of its own: thicken the glyphs
    std::int64_t ascentUnits = 0;
    std::int64_t descentUnits = 0;
};

// The faces fontconfig picks for font requests (face name, weight, italic), opened with
// FreeType on first use and kept open, so drawing the same font again touches no file.
class FontFaces {
  public:
    FontFaces() = default;
    ~FontFaces();
    FontFaces(const FontFaces&) = delete;
    FontFaces& operator=(const FontFaces&) = delete;

    // Null when no face can be found or opened; that answer is remembered too.
    const LoadedFace* Find(const FontSpec& font);

  private:
    struct Request {
        std::string family;
        int weight;
        bool italic;
        bool operator==(const Request&) const = default;
    };
    struct Entry {
        Request request;
        LoadedFace loaded;
    };

    void Start();
    LoadedFace Load(const Request& request);
    LoadedFace Open(FcPattern* match);

    bool started_ = false;  // the libraries start with the first text, not with the surface
    bool fontconfigReady_ = false;
    FT_Library library_ = nullptr;
    std::vector<Entry> entries_;
};

}  // namespace vireluna::raster
