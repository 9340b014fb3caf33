#include "font_lookup.h"

#include "files.h"

#include <fontconfig/fontconfig.h>

namespace platform {
namespace {

// Windows face names the game asks for, and the free faces that stand in.
const char* const FACE_ALIASES = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="same"><family>Arial</family><prefer><family>Liberation Sans</family></prefer></alias>
  <alias binding="same"><family>Courier New</family><prefer><family>Liberation Mono</family></prefer></alias>
  <match target="pattern">
    <test name="family"><string>Stencil</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Allerta</string></edit>
    <edit name="style" mode="assign" binding="strong"><string>Stencil</string></edit>
  </match>
</fontconfig>
)";

FcConfig* config()
{
    static FcConfig* cfg = [] {
        FcConfig* c = FcInitLoadConfigAndFonts();
        if (c == nullptr)
            return c;
        FcConfigParseAndLoadFromMemory(c, reinterpret_cast<const FcChar8*>(FACE_ALIASES), FcFalse);
        std::string shipped = dataDirectory() + "fonts";
        FcConfigAppFontAddDir(c, reinterpret_cast<const FcChar8*>(shipped.c_str()));
        FcConfigBuildFonts(c);
        return c;
    }();
    return cfg;
}

}  // namespace

bool findFont(const std::string& face, bool bold, bool italic, FontFile& out)
{
    FcConfig* cfg = config();
    if (cfg == nullptr)
        return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(cfg, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(cfg, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        return false;

    FcChar8* file = nullptr;
    FcChar8* family = nullptr;
    int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr;
    if (found) {
        out.path = reinterpret_cast<const char*>(file);
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch && family)
            out.family = reinterpret_cast<const char*>(family);
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        out.index = index;
        out.bold = weight >= FC_WEIGHT_DEMIBOLD;
        out.italic = slant != FC_SLANT_ROMAN;
    }
    FcPatternDestroy(match);
    return found;
}

}  // namespace platform
