// A level data file ("levels\levelN.txt") of any bytes. A level the reader
// takes is looked at again line by line as docs/level-files.md lays it out:
// each record a known keyword with exactly its number of tokens, one ship
// line, one or two whirlpools, as many objects of each kind as lines, every
// number finite, every turn naming an enemy and a marker the file has.
#include "fuzz_check.h"
#include "levels/level_data.h"

#include <cmath>
#include <map>
#include <sstream>

namespace {

// Records per keyword, or false for a line the format has no place for.
bool countRecords(const std::string& file, std::map<std::string, std::size_t>& records)
{
    std::size_t at = 0;
    for (bool first = true; at <= file.size(); first = false) {
        std::size_t end = file.find('\n', at);
        if (end == std::string::npos)
            end = file.size();
        std::string line = file.substr(at, end - at);
        at = end + 1;
        if (end == file.size() && line.empty())
            break;
        if (first && line.starts_with("\xEF\xBB\xBF"))
            line.erase(0, 3);
        if (line.ends_with('\r'))
            line.pop_back();
        std::vector<std::string> tokens;
        std::string token;
        for (char c : line + ' ') {
            if (c == ' ' || c == '\t') {
                if (!token.empty())
                    tokens.push_back(token);
                token.clear();
            } else {
                token += c;
            }
        }
        if (tokens.empty() || tokens[0][0] == '#')
            continue;
        const std::string& keyword = tokens[0];
        const std::size_t n = tokens.size();
        const bool placement = keyword == "ship" || keyword == "coin" || keyword == "treasure" ||
                               keyword == "health" || keyword == "ammo" || keyword == "marker" ||
                               keyword == "whirlpool";
        if (!(placement && n == 3) && !(keyword == "enemy" && n >= 8 && n <= 10) && !(keyword == "turn" && n == 5))
            return false;
        ++records[keyword];
    }
    return true;
}

bool finite(const Placement& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string file = fuzz::text(data, size);
    std::istringstream in(file);
    LevelData level;
    std::string error;
    if (!parseLevelData(in, "levels\\fuzz.txt", level, error)) {
        fuzz::require(error.starts_with("Error in level data levels\\fuzz.txt"), "a refused level names its file");
        fuzz::require(level.coins.empty() && level.enemyShips.empty() && level.whirlpools.empty(),
                      "a refused level leaves the data alone");
        return 0;
    }
    std::map<std::string, std::size_t> records;
    fuzz::require(countRecords(file, records), "every record a keyword with exactly its tokens");
    std::size_t lines = 0;
    for (const auto& [keyword, count] : records)
        lines += count;
    fuzz::require(lines <= levelDataNS::MAX_RECORDS, "at most MAX_RECORDS records");
    fuzz::require(records["ship"] == 1, "exactly one ship line");
    fuzz::require(level.whirlpools.size() == 1 || level.whirlpools.size() == 2, "one or two whirlpools");
    fuzz::require(level.whirlpools.size() == records["whirlpool"] && level.coins.size() == records["coin"] &&
                      level.treasures.size() == records["treasure"] &&
                      level.healthPickups.size() == records["health"] && level.ammoPickups.size() == records["ammo"] &&
                      level.markers.size() == records["marker"] &&
                      level.enemyShips.size() + level.enemyShip1s.size() == records["enemy"] &&
                      level.turns.size() == records["turn"],
                  "one object for each line of its kind");

    fuzz::require(finite(level.ship), "finite positions");
    for (const auto* list : {&level.coins, &level.treasures, &level.healthPickups, &level.ammoPickups, &level.markers,
                             &level.whirlpools})
        for (const Placement& p : *list)
            fuzz::require(finite(p), "finite positions");
    for (const auto* enemies : {&level.enemyShips, &level.enemyShip1s}) {
        for (const EnemyPlacement& e : *enemies) {
            fuzz::require(finite(e.start) && finite(e.respawn) && std::isfinite(e.vx) && std::isfinite(e.vy),
                          "finite enemy positions and velocities");
            fuzz::require(e.direction >= levelDataNS::UP && e.direction <= levelDataNS::RIGHT &&
                              e.facing >= levelDataNS::UP && e.facing <= levelDataNS::RIGHT,
                          "a direction and a facing that exist");
            fuzz::require(e.mode >= levelDataNS::MODE_STOPPED && e.mode <= levelDataNS::MODE_GUARD, "a mode that exists");
        }
    }
    for (const TurnRule& t : level.turns) {
        const auto& enemies = t.kind == EnemyKind::EnemyShip ? level.enemyShips : level.enemyShip1s;
        fuzz::require(t.enemy >= 0 && static_cast<std::size_t>(t.enemy) < enemies.size(), "a turn names a real enemy");
        fuzz::require(t.marker >= 0 && static_cast<std::size_t>(t.marker) < level.markers.size(),
                      "a turn names a real marker");
    }
    return 0;
}
