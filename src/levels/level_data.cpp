#include "levels/level_data.h"

#include "entities/entity.h"
#include "files.h"
#include "levels/level_text.h"

#include <array>
#include <fstream>
#include <string_view>
#include <utility>

static_assert(levelDataNS::UP == entityNS::UP && levelDataNS::DOWN == entityNS::DOWN &&
              levelDataNS::LEFT == entityNS::LEFT && levelDataNS::RIGHT == entityNS::RIGHT);

namespace {

using Tokens = std::vector<std::string_view>;

struct Name {
    std::string_view text;
    int value;
};

constexpr std::array<Name, 2> KINDS{
    {{"EnemyShip", static_cast<int>(EnemyKind::EnemyShip)}, {"EnemyShip1", static_cast<int>(EnemyKind::EnemyShip1)}}};
constexpr std::array<Name, 4> DIRECTIONS{
    {{"up", levelDataNS::UP}, {"down", levelDataNS::DOWN}, {"left", levelDataNS::LEFT}, {"right", levelDataNS::RIGHT}}};
constexpr std::array<Name, 5> MODES{{{"stopped", levelDataNS::MODE_STOPPED},
                                     {"patrol-horizontal", levelDataNS::MODE_PATROL_HORIZONTAL},
                                     {"patrol-vertical", levelDataNS::MODE_PATROL_VERTICAL},
                                     {"cruise", levelDataNS::MODE_CRUISE},
                                     {"guard", levelDataNS::MODE_GUARD}}};
constexpr std::array<Name, 3> TURNS{{{"around", static_cast<int>(Turn::Around)},
                                     {"left", static_cast<int>(Turn::Left)},
                                     {"right", static_cast<int>(Turn::Right)}}};

// "up, down, left or right"
template <size_t N>
std::string choices(const std::array<Name, N>& names)
{
    std::string text;
    for (size_t i = 0; i < N; ++i) {
        if (i > 0)
            text += (i + 1 == N) ? " or " : ", ";
        text += names[i].text;
    }
    return text;
}

template <size_t N>
bool lookUp(const std::array<Name, N>& names, std::string_view token, int& value)
{
    for (const Name& n : names) {
        if (n.text == token) {
            value = n.value;
            return true;
        }
    }
    return false;
}

// Reads one record's values in order; the first problem is kept in `why`.
class Fields {
public:
    Fields(const Tokens& tokens, std::string_view usage) : tokens(tokens), usage(usage) {}

    bool more() const { return next < tokens.size(); }
    std::string_view peek() const { return tokens[next]; }
    void skip() { ++next; }

    bool number(const char* field, float& out)
    {
        std::string_view token;
        if (!take(field, token))
            return false;
        return numberFrom(token, field, out);
    }

    bool whole(const char* field, int& out)
    {
        std::string_view token;
        if (!take(field, token))
            return false;
        if (levelText::readInt(token, out))
            return true;
        why = std::string("expected a whole number for ") + field + ", found " + levelText::quoted(token);
        return false;
    }

    template <size_t N>
    bool word(const char* field, const std::array<Name, N>& names, int& out)
    {
        std::string_view token;
        if (!take(field, token))
            return false;
        return wordFrom(token, field, names, out);
    }

    bool numberFrom(std::string_view token, const char* field, float& out)
    {
        if (levelText::readFloat(token, out))
            return true;
        why = std::string("expected a number for ") + field + ", found " + levelText::quoted(token);
        return false;
    }

    template <size_t N>
    bool wordFrom(std::string_view token, const char* field, const std::array<Name, N>& names, int& out)
    {
        if (lookUp(names, token, out))
            return true;
        why = "expected " + choices(names) + " for " + field + ", found " + levelText::quoted(token);
        return false;
    }

    // Nothing may follow the last value.
    bool finish()
    {
        if (!more())
            return true;
        return unexpected();
    }

    bool unexpected()
    {
        why = "unexpected " + levelText::quoted(peek()) + " (expected \"" + std::string(usage) + "\")";
        return false;
    }

    std::string why;

private:
    bool take(const char* field, std::string_view& token)
    {
        if (!more()) {
            why = std::string("missing ") + field + " (expected \"" + std::string(usage) + "\")";
            return false;
        }
        token = tokens[next++];
        return true;
    }

    const Tokens& tokens;
    std::string_view usage;
    size_t next = 1;  // past the keyword
};

bool readPlacement(Fields& f, Placement& p)
{
    return f.number("x", p.x) && f.number("y", p.y) && f.finish();
}

constexpr std::string_view FRAME_OPTION = "frame=";
constexpr std::string_view RESPAWN_OPTION = "respawn=";

bool readRespawn(Fields& f, std::string_view token, Placement& p)
{
    const std::string_view value = token.substr(RESPAWN_OPTION.size());
    const size_t comma = value.find(',');
    if (comma == std::string_view::npos) {
        f.why = "expected \"respawn=X,Y\", found " + levelText::quoted(token);
        return false;
    }
    return f.numberFrom(value.substr(0, comma), "respawn x", p.x) &&
           f.numberFrom(value.substr(comma + 1), "respawn y", p.y);
}

bool readEnemy(Fields& f, EnemyPlacement& e)
{
    int kind = 0;
    if (!f.word("kind", KINDS, kind) || !f.number("x", e.start.x) || !f.number("y", e.start.y) ||
        !f.word("direction", DIRECTIONS, e.direction) || !f.number("vx", e.vx) || !f.number("vy", e.vy) ||
        !f.word("mode", MODES, e.mode))
        return false;
    e.kind = static_cast<EnemyKind>(kind);
    e.facing = e.direction;
    e.respawn = e.start;

    bool haveFrame = false;
    bool haveRespawn = false;
    for (; f.more(); f.skip()) {
        const std::string_view token = f.peek();
        if (token.starts_with(FRAME_OPTION)) {
            if (haveFrame) {
                f.why = "frame= given twice";
                return false;
            }
            haveFrame = true;
            if (!f.wordFrom(token.substr(FRAME_OPTION.size()), "frame", DIRECTIONS, e.facing))
                return false;
        } else if (token.starts_with(RESPAWN_OPTION)) {
            if (haveRespawn) {
                f.why = "respawn= given twice";
                return false;
            }
            haveRespawn = true;
            if (!readRespawn(f, token, e.respawn))
                return false;
        } else {
            return f.unexpected();
        }
    }
    return true;
}

bool readTurn(Fields& f, TurnRule& t)
{
    int kind = 0;
    int turn = 0;
    if (!f.word("kind", KINDS, kind) || !f.whole("enemy", t.enemy) || !f.whole("marker", t.marker) ||
        !f.word("turn", TURNS, turn) || !f.finish())
        return false;
    t.kind = static_cast<EnemyKind>(kind);
    t.turn = static_cast<Turn>(turn);
    return true;
}

const char* kindName(EnemyKind kind)
{
    return kind == EnemyKind::EnemyShip ? "EnemyShip" : "EnemyShip1";
}

// "there is no EnemyShip 2 (the file has 2, numbered from 0)"
std::string missingIndex(const char* what, int index, size_t count)
{
    std::string text = std::string("there is no ") + what + " " + std::to_string(index) + " (the file has ";
    if (count == 0)
        return text + "none)";
    return text + std::to_string(count) + ", numbered from 0)";
}

class Parser {
public:
    explicit Parser(const std::string& fileName) : fileName(fileName) {}

    bool run(std::istream& in, LevelData& out, std::string& error)
    {
        std::string line;
        Tokens tokens;
        size_t lineNumber = 0;
        size_t records = 0;
        while (std::getline(in, line)) {
            ++lineNumber;
            std::string_view text = line;
            if (lineNumber == 1 && text.starts_with("\xEF\xBB\xBF"))  // a byte-order mark some editors add
                text.remove_prefix(3);
            if (text.ends_with('\r'))
                text.remove_suffix(1);
            levelText::splitTokens(text, tokens);
            if (tokens.empty() || tokens[0].front() == '#')
                continue;
            if (++records > levelDataNS::MAX_RECORDS) {
                error = lineError(lineNumber, "more than " + std::to_string(levelDataNS::MAX_RECORDS) +
                                                  " lines of objects: this is not a level");
                return false;
            }
            std::string why;
            if (!record(tokens, lineNumber, why)) {
                error = lineError(lineNumber, why);
                return false;
            }
        }
        if (in.bad()) {
            error = fileError("the file could not be read to the end");
            return false;
        }
        if (!checkWhole(error))
            return false;
        out = std::move(data);
        return true;
    }

private:
    bool record(const Tokens& tokens, size_t lineNumber, std::string& why)
    {
        const std::string_view keyword = tokens[0];
        if (keyword == "ship") {
            Fields f(tokens, "ship X Y");
            if (shipLine != 0) {
                why = "a second ship line (the first is line " + std::to_string(shipLine) + ")";
                return false;
            }
            shipLine = lineNumber;
            return placement(f, data.ship, why);
        }
        if (keyword == "coin")
            return appendPlacement(tokens, "coin X Y", data.coins, why);
        if (keyword == "treasure")
            return appendPlacement(tokens, "treasure X Y", data.treasures, why);
        if (keyword == "health")
            return appendPlacement(tokens, "health X Y", data.healthPickups, why);
        if (keyword == "ammo")
            return appendPlacement(tokens, "ammo X Y", data.ammoPickups, why);
        if (keyword == "marker")
            return appendPlacement(tokens, "marker X Y", data.markers, why);
        if (keyword == "whirlpool") {
            if (data.whirlpools.size() == 2) {
                why = "a third whirlpool line (a level has one or two)";
                return false;
            }
            return appendPlacement(tokens, "whirlpool X Y", data.whirlpools, why);
        }
        if (keyword == "enemy") {
            Fields f(tokens, "enemy KIND X Y DIRECTION VX VY MODE [frame=FACING] [respawn=X,Y]");
            EnemyPlacement e;
            if (!readEnemy(f, e)) {
                why = f.why;
                return false;
            }
            (e.kind == EnemyKind::EnemyShip ? data.enemyShips : data.enemyShip1s).push_back(e);
            return true;
        }
        if (keyword == "turn") {
            Fields f(tokens, "turn KIND I M TURN");
            TurnRule t;
            if (!readTurn(f, t)) {
                why = f.why;
                return false;
            }
            data.turns.push_back(t);
            turnLines.push_back(lineNumber);
            return true;
        }
        why = "unknown keyword " + levelText::quoted(keyword);
        return false;
    }

    static bool placement(Fields& f, Placement& p, std::string& why)
    {
        if (readPlacement(f, p))
            return true;
        why = f.why;
        return false;
    }

    static bool appendPlacement(const Tokens& tokens, std::string_view usage, std::vector<Placement>& list,
                                std::string& why)
    {
        Fields f(tokens, usage);
        Placement p;
        if (!placement(f, p, why))
            return false;
        list.push_back(p);
        return true;
    }

    // What can only be told once every line is in.
    bool checkWhole(std::string& error) const
    {
        if (shipLine == 0) {
            error = fileError("no ship line");
            return false;
        }
        if (data.whirlpools.empty()) {
            error = fileError("no whirlpool line");
            return false;
        }
        for (size_t i = 0; i < data.turns.size(); ++i) {
            const TurnRule& t = data.turns[i];
            const auto& enemies = t.kind == EnemyKind::EnemyShip ? data.enemyShips : data.enemyShip1s;
            if (t.enemy < 0 || static_cast<size_t>(t.enemy) >= enemies.size()) {
                error = lineError(turnLines[i], missingIndex(kindName(t.kind), t.enemy, enemies.size()));
                return false;
            }
            if (t.marker < 0 || static_cast<size_t>(t.marker) >= data.markers.size()) {
                error = lineError(turnLines[i], missingIndex("marker", t.marker, data.markers.size()));
                return false;
            }
        }
        return true;
    }

    std::string fileError(const std::string& why) const { return "Error in level data " + fileName + ": " + why; }

    std::string lineError(size_t lineNumber, const std::string& why) const
    {
        return "Error in level data " + fileName + " line " + std::to_string(lineNumber) + ": " + why;
    }

    const std::string& fileName;
    LevelData data;
    size_t shipLine = 0;
    std::vector<size_t> turnLines;
};

}  // namespace

bool parseLevelData(std::istream& in, const std::string& fileName, LevelData& out, std::string& error)
{
    return Parser(fileName).run(in, out, error);
}

bool loadLevelData(const std::string& gamePath, LevelData& out, std::string& error)
{
    std::ifstream in(platform::resolvePath(gamePath), std::ios::binary);
    if (!in) {
        error = "Error loading level data " + gamePath + ": the file cannot be opened";
        return false;
    }
    return parseLevelData(in, gamePath, out, error);
}
