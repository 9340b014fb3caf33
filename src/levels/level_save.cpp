#include "levels/level_save.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>

namespace {

// Hands out the record's numbers in file order, each checked for its kind;
// the first bad one stops the reading and says which line it was.
class Values {
public:
    explicit Values(std::vector<double> numbers) : numbers(std::move(numbers)) {}

    float real() { return static_cast<float>(next(levelSaveNS::MAX_COORDINATE, "a position, speed or health")); }
    // Checked before the conversion, so no value can overflow an int.
    int count() { return static_cast<int>(next(levelSaveNS::MAX_COUNT, "a count")); }
    bool flag() { return next(levelSaveNS::MAX_COUNT, "a flag") != 0; }
    int frame()
    {
        const size_t line = at + 1;
        const double v = next(levelSaveNS::MAX_COUNT, "a frame");
        if (ok && (v < 0 || v > levelSaveNS::MAX_FRAME))
            fail(line, "a frame number out of range");
        return ok ? static_cast<int>(v) : 0;
    }
    Placement place()
    {
        Placement p;
        p.x = real();
        p.y = real();
        return p;
    }

    bool ok = true;
    std::string error;

private:
    double next(double limit, const char* what)
    {
        if (!ok)
            return 0;
        const size_t line = ++at;
        const double v = numbers[line - 1];
        if (std::fabs(v) > limit) {
            fail(line, std::string("out of range for ") + what);
            return 0;
        }
        return v;
    }
    void fail(size_t line, const std::string& why)
    {
        ok = false;
        error = "line " + std::to_string(line) + " is " + why;
    }

    std::vector<double> numbers;
    size_t at = 0;
};

bool readNumber(std::string_view text, double& value)
{
    const char* blanks = " \t\r\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return false;
    text = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// The file's lines as numbers; blank lines at the end do not count.
bool readNumbers(std::istream& in, std::vector<double>& numbers, std::string& error)
{
    // In pieces: a record is a few kilobytes, and the limit only guards
    // against a file that is not one.
    std::string text;
    char piece[4096];
    while (text.size() <= levelSaveNS::MAX_FILE_BYTES && in.read(piece, sizeof(piece)).gcount() > 0)
        text.append(piece, static_cast<size_t>(in.gcount()));
    if (text.size() > levelSaveNS::MAX_FILE_BYTES) {
        error = "the file is too large to be a saved game";
        return false;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (text.empty()) {
        error = "the file is empty";
        return false;
    }
    std::string_view rest = text;
    while (true) {
        const size_t end = rest.find('\n');
        double value = 0;
        if (!readNumber(rest.substr(0, end), value)) {
            error = "line " + std::to_string(numbers.size() + 1) + " is not a number";
            return false;
        }
        numbers.push_back(value);
        if (end == std::string_view::npos)
            return true;
        rest.remove_prefix(end + 1);
    }
}

}  // namespace

size_t levelSaveLines(const LevelSaveShape& shape)
{
    size_t lines = 9 + 8 * shape.enemies + 2 * shape.pickups;
    if (shape.wide)
        lines += 2 + 2 + 2 * shape.markers + 2 * shape.pickups;
    return lines;
}

std::string levelSaveText(const LevelSave& save, const LevelSaveShape& shape)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    auto line = [&out](auto value) { out << value << '\n'; };
    auto flag = [&out](bool value) { out << (value ? 1 : 0) << '\n'; };

    if (shape.wide) {
        line(save.mapX);
        line(save.backgroundX);
    }
    const SavedShip& s = save.ship;
    line(s.gold);
    line(s.x);
    line(s.y);
    line(s.health);
    line(s.lives);
    line(s.ammo);
    line(s.speed);
    line(s.cannonDamage);
    line(s.hitDamage);
    if (shape.wide) {
        line(save.endMarker.x);
        line(save.endMarker.y);
    }
    for (const SavedEnemy& e : save.enemies) {
        line(e.x);
        line(e.y);
        line(e.health);
        flag(e.visible);
        flag(e.active);
        line(e.frame);
        line(e.vx);
        line(e.vy);
    }
    if (shape.wide) {
        for (const Placement& m : save.markers) {
            line(m.x);
            line(m.y);
        }
    }
    for (const SavedPickup& p : save.pickups) {
        flag(p.active);
        flag(p.visible);
        if (shape.wide) {
            line(p.x);
            line(p.y);
        }
    }
    return out.str();
}

bool readLevelSave(std::istream& in, const LevelSaveShape& shape, LevelSave& out, std::string& error)
{
    std::vector<double> numbers;
    if (!readNumbers(in, numbers, error))
        return false;
    const size_t needed = levelSaveLines(shape);
    if (numbers.size() != needed) {
        error = "it holds " + std::to_string(numbers.size()) + " values where the level saves " +
                std::to_string(needed);
        return false;
    }

    Values v(std::move(numbers));
    LevelSave save;
    if (shape.wide) {
        save.mapX = v.real();
        save.backgroundX = v.real();
    }
    SavedShip& s = save.ship;
    s.gold = v.count();
    s.x = v.real();
    s.y = v.real();
    s.health = v.real();
    s.lives = v.count();
    s.ammo = v.count();
    s.speed = v.real();
    s.cannonDamage = v.count();
    s.hitDamage = v.count();
    if (shape.wide)
        save.endMarker = v.place();
    save.enemies.resize(shape.enemies);
    for (SavedEnemy& e : save.enemies) {
        e.x = v.real();
        e.y = v.real();
        e.health = v.real();
        e.visible = v.flag();
        e.active = v.flag();
        e.frame = v.frame();
        e.vx = v.real();
        e.vy = v.real();
    }
    if (shape.wide) {
        save.markers.resize(shape.markers);
        for (Placement& m : save.markers)
            m = v.place();
    }
    save.pickups.resize(shape.pickups);
    for (SavedPickup& p : save.pickups) {
        p.active = v.flag();
        p.visible = v.flag();
        if (shape.wide) {
            p.x = v.real();
            p.y = v.real();
        }
    }
    if (!v.ok) {
        error = v.error;
        return false;
    }
    out = std::move(save);
    return true;
}
