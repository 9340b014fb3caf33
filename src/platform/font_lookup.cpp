#include "font_lookup.h"

#include "files.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <system_error>

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

// The faces the game asks for, where Debian's font packages put their
// stand-ins: found there, fontconfig (whose set-up reads every
// configuration file and font cache on the system) is never started.
struct KnownFace {
    const char* face;
    const char* family;
    const char* folder;
    const char* files[4];  // regular, bold, italic, bold italic; null: drawn
    // Fontconfig reports a single-style face (the stencil one) as whatever
    // style was asked for, so it is never drawn heavier or slanted.
    bool styleAsAsked = false;
};
constexpr KnownFace KNOWN_FACES[] = {
    {"Arial", "Liberation Sans", "/usr/share/fonts/truetype/liberation2/",
     {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationSans-Italic.ttf",
      "LiberationSans-BoldItalic.ttf"}},
    {"Courier New", "Liberation Mono", "/usr/share/fonts/truetype/liberation2/",
     {"LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf", "LiberationMono-Italic.ttf",
      "LiberationMono-BoldItalic.ttf"}},
    {"Stencil", "Allerta", "/usr/share/fonts/opentype/allerta/", {"allerta_stencil.otf", nullptr, nullptr, nullptr}, true},
};

bool shipsFonts()
{
    std::error_code ec;
    return std::filesystem::is_directory(dataDirectory() + "fonts", ec) &&
           !std::filesystem::is_empty(dataDirectory() + "fonts", ec);
}

}  // namespace

bool findKnownFont(const std::string& face, bool bold, bool italic, FontFile& out)
{
    // Fonts shipped with the data come first, and only fontconfig knows them.
    static const bool shipped = shipsFonts();
    if (shipped)
        return false;
    for (const KnownFace& known : KNOWN_FACES) {
        if (face != known.face)
            continue;
        // The nearest style there is, as fontconfig would choose it.
        const int wanted = (bold ? 1 : 0) + (italic ? 2 : 0);
        for (int style : {wanted, wanted & 2, wanted & 1, 0}) {
            const char* file = known.files[style];
            std::error_code ec;
            if (file == nullptr || !std::filesystem::is_regular_file(std::string(known.folder) + file, ec))
                continue;
            const int reported = known.styleAsAsked ? wanted : style;
            out = FontFile{std::string(known.folder) + file, 0, known.family, (reported & 1) != 0, (reported & 2) != 0};
            return true;
        }
        return false;
    }
    return false;
}

bool findFont(const std::string& face, bool bold, bool italic, FontFile& out)
{
    return findKnownFont(face, bold, italic, out) || findFontThroughFontconfig(face, bold, italic, out);
}

bool findFontThroughFontconfig(const std::string& face, bool bold, bool italic, FontFile& out)
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
