#include "raster/FontFaces.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace vireluna::raster {

namespace {

constexpr int kNormalWeight = 400;
constexpr int kMaxWeight = 1000;
constexpr std::size_t kMaxOpenFaces = 8;
constexpr double kFixed16 = 65536.0;
constexpr FT_UShort kNoOs2Table = 0xFFFF;

// The cell a display font uses: the Windows ascent and descent of the OS/2 table when the
// face has one, the face's own ascender and descender otherwise.
void ReadCellUnits(LoadedFace& loaded) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(loaded.face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != kNoOs2Table && os2->usWinAscent + os2->usWinDescent > 0) {
        loaded.ascentUnits = os2->usWinAscent;
        loaded.descentUnits = os2->usWinDescent;
    } else {
        loaded.ascentUnits = loaded.face->ascender;
        loaded.descentUnits = -loaded.face->descender;
    }
}

}  // namespace

FontFaces::~FontFaces() {
    for (Entry& entry : entries_) {
        if (entry.loaded.face != nullptr) FT_Done_Face(entry.loaded.face);
    }
    if (library_ != nullptr) FT_Done_FreeType(library_);
}

void FontFaces::Start() {
    if (started_) return;
    started_ = true;
    fontconfigReady_ = FcInit() == FcTrue;
    if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
}

const LoadedFace* FontFaces::Find(const FontSpec& font) {
    Start();
    // Weight 0 asks for no particular weight: the normal one.
    const Request request{std::string(font.face),
                          font.weight <= 0 ? kNormalWeight : std::min(font.weight, kMaxWeight),
                          font.italic};
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&](const Entry& entry) { return entry.request == request; });
    if (found == entries_.end()) {
        if (entries_.size() == kMaxOpenFaces) {
            if (entries_.front().loaded.face != nullptr) FT_Done_Face(entries_.front().loaded.face);
            entries_.erase(entries_.begin());
        }
        entries_.push_back({request, Load(request)});
        found = entries_.end() - 1;
    }
    return found->loaded.face != nullptr ? &found->loaded : nullptr;
}

LoadedFace FontFaces::Load(const Request& request) {
    if (!fontconfigReady_ || library_ == nullptr) return {};
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return {};
    if (!request.family.empty()) {
        FcPatternAddString(pattern, FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(request.family.c_str()));
    }
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(request.weight));
    FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return {};
    LoadedFace loaded = Open(match);
    FcPatternDestroy(match);
    return loaded;
}

LoadedFace FontFaces::Open(FcPattern* match) {
    LoadedFace loaded;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch) return loaded;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FT_Face face = nullptr;
    if (FT_New_Face(library_, reinterpret_cast<const char*>(file), index, &face) != 0) {
        return loaded;
    }
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        FT_Done_Face(face);
        return loaded;
    }
    // Fontconfig asks for a synthetic style when the family lacks the real one.
    FcBool embolden = FcFalse;
    FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
    loaded.embolden = embolden == FcTrue;
    FcMatrix* slant = nullptr;
    if (FcPatternGetMatrix(match, FC_MATRIX, 0, &slant) == FcResultMatch) {
        FT_Matrix transform{static_cast<FT_Fixed>(slant->xx * kFixed16),
                            static_cast<FT_Fixed>(slant->xy * kFixed16),
                            static_cast<FT_Fixed>(slant->yx * kFixed16),
                            static_cast<FT_Fixed>(slant->yy * kFixed16)};
        FT_Set_Transform(face, &transform, nullptr);
    }
    loaded.face = face;
    ReadCellUnits(loaded);
    return loaded;
}

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig loses a few bytes while it parses its configuration, once per process. Programs
// that draw text are built with the leak checker too; that loss is not theirs to report.
// libXrandr keeps 32 bytes of its own for a server whose RandR is turned off by Xinerama
// (the X11 saver asks it for monitors there), and never frees them either.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libXrandr.so\n";
}
#endif

}  // namespace vireluna::raster
