// Fonts by face name, as Windows names them, found through fontconfig.
#pragma once

#include <string>

namespace platform {

struct FontFile {
    std::string path;
    int index = 0;         // face within a collection
    std::string family;    // what fontconfig matched
    bool bold = false;     // the file itself is bold (else bold is drawn)
    bool italic = false;
};

// The best file for `face`; false only when fontconfig finds nothing at all.
// "Arial" and "Courier New" resolve to their metric-compatible Liberation
// faces and "Stencil" to Allerta Stencil (family "Allerta", style
// "Stencil"); fonts shipped in the data folder's "fonts" directory are found
// too.
bool findFont(const std::string& face, bool bold, bool italic, FontFile& out);

// The two ways findFont looks: first where the system's packages put the
// faces the game uses (no fontconfig set-up, which costs more than the rest
// of the start together), then through fontconfig.
bool findKnownFont(const std::string& face, bool bold, bool italic, FontFile& out);
bool findFontThroughFontconfig(const std::string& face, bool bold, bool italic, FontFile& out);

}  // namespace platform
