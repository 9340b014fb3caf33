#include "level_bot.h"

#include "engine/input.h"
#include "entities/cannon.h"
#include "entities/ship.h"
#include "levels/levels.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <queue>

namespace {

using namespace levelBotNS;
constexpr float PITCH = 65;
constexpr float STEP_NEAR = 1.25f;  // half a frame's sail: close enough to the target

// The box the entity's collision test uses, shifted into map pixels.
BotBox boxOf(Entity& e, float mapX)
{
    const D3DXVECTOR2 c = *e.getCenter();
    const float s = e.getScale();
    const RECT& edge = *e.getEdge();
    return BotBox{c.x + static_cast<float>(edge.left) * s - mapX, c.y + static_cast<float>(edge.top) * s,
                  c.x + static_cast<float>(edge.right) * s - mapX, c.y + static_cast<float>(edge.bottom) * s};
}

template <typename F>
void eachEnemy(Level& lv, F&& f)
{
    for (auto& e : lv.getEnemyShips())
        f(static_cast<EnemyBase&>(e));
    for (auto& e : lv.getEnemyShip1s())
        f(static_cast<EnemyBase&>(e));
}

}  // namespace

LevelBot::LevelBot(Keelhaven& g, int level, int whichExit) : game(g), number(level), exit(whichExit) {}

// A copy of the level run ahead: nothing the enemies do depends on the
// player, so this is the future the real level will have as long as the
// ship sails the same route and keeps out of the enemies' way.
void LevelBot::record(const std::vector<Step>& steps)
{
    Ship& ship = *game.getShip();
    std::unique_ptr<Level> ahead = createLevel(number, game);
    ahead->reset();
    ahead->initialize();
    ahead->setInitialized(true);
    startX = ship.getX();
    startY = ship.getY();
    rows = ahead->getTileMap().rows();
    cols = ahead->getTileMap().cols();

    shut.assign(static_cast<size_t>(rows * cols), 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            shut[static_cast<size_t>(cellIndex(r, c))] = ahead->getTileMap().isSolid(r, c) ? 1 : 0;
    // The whirlpool to reach, and the other one (level 28) to keep off.
    EndLevelMarker* second = ahead->getSecondEndMarker();
    const BotBox target = boxOf(exit == 1 && second ? *second : ahead->getEndMarker(), 0);
    goals.clear();
    for (int cell = 0; cell < rows * cols; ++cell) {
        if (!water(cell))
            continue;
        if (shipBoxAt(cell).overlaps(target))
            goals.push_back(cell);
        if (second != nullptr) {
            const BotBox other = boxOf(exit == 1 ? ahead->getEndMarker() : *second, 0);
            if (shipBoxAt(cell).overlaps(other))
                shut[static_cast<size_t>(cell)] = 1;
        }
    }
    startCell = cellIndex(static_cast<int>(std::lround((startY - 0.5f) / PITCH)),
                          static_cast<int>(std::lround((startX - 0.5f) / PITCH)));

    danger.assign(LOOK_AHEAD_FRAMES + 1, {});
    shots.assign(LOOK_AHEAD_FRAMES + 1, {});
    enemyX.assign(LOOK_AHEAD_FRAMES + 1, {});
    enemyY.assign(LOOK_AHEAD_FRAMES + 1, {});
    Input& in = *game.getInput();
    size_t next = 0;
    ahead->getEndMarker().setActive(false);
    if (EndLevelMarker* second = ahead->getSecondEndMarker())
        second->setActive(false);
    for (int f = 1; f <= LOOK_AHEAD_FRAMES; ++f) {
        // The ship sails the route here too, as it will in the real level:
        // on a wide map where it goes decides the scrolling, the scrolling
        // which cannonballs leave the screen, and a ball that strikes the
        // ship is gone sooner. It never sinks here, and the whirlpools are
        // switched off, so this copy never ends.
        ship.setActive(true);
        if (!steps.empty())
            steer(*ahead, steps, f, next);
        ahead->update(FRAME);
        // What the ship would meet in this frame's collisions.
        const float mapX = ahead->getMapX();
        eachEnemy(*ahead, [&](EnemyBase& e) {
            enemyX[static_cast<size_t>(f)].push_back(e.getX() - mapX);
            enemyY[static_cast<size_t>(f)].push_back(e.getY());
            if (e.getActive())
                danger[static_cast<size_t>(f)].push_back(boxOf(e, mapX));
            if (e.getCannon()->getActive())
                shots[static_cast<size_t>(f)].push_back(boxOf(*e.getCannon(), mapX));
        });
        ahead->collisions(FRAME);
        ship.setHealth(levelNS::SHIP_HEALTH);
        in.clear(inputNS::KEYS_PRESSED);
    }
    releaseKeys();
    ship.setActive(true);
}

BotBox LevelBot::shipBoxAt(int cell) const
{
    const float x = static_cast<float>(cell % cols) * PITCH + 0.5f;
    const float y = static_cast<float>(cell / cols) * PITCH + 0.5f;
    // The ship's 64 px frame with its collision edges of 30 either side of the centre.
    return BotBox{x + 32 - 30, y + 32 - 30, x + 32 + 30, y + 32 + 30};
}

bool LevelBot::water(int cell) const { return cell >= 0 && cell < rows * cols && !shut[static_cast<size_t>(cell)]; }

// Cell by cell and frame by frame: 1 where the ship would meet a ship, 2
// where it would meet only a cannonball.
void LevelBot::markDanger(bool keepEarlier)
{
    // Each route changes the future a little (the scrolling, the balls it
    // stops); keeping what earlier futures held makes the routes settle.
    if (!keepEarlier || blocked.size() != danger.size())
        blocked.assign(danger.size(), std::vector<unsigned char>(static_cast<size_t>(rows * cols), 0));
    auto mark = [&](size_t f, const BotBox& d, unsigned char what) {
        const BotBox wide{d.left - MARGIN, d.top - MARGIN, d.right + MARGIN, d.bottom + MARGIN};
        const int c0 = std::max(0, static_cast<int>(std::floor((wide.left - 64) / PITCH)));
        const int c1 = std::min(cols - 1, static_cast<int>(std::floor(wide.right / PITCH)) + 1);
        const int r0 = std::max(0, static_cast<int>(std::floor((wide.top - 64) / PITCH)));
        const int r1 = std::min(rows - 1, static_cast<int>(std::floor(wide.bottom / PITCH)) + 1);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                unsigned char& cell = blocked[f][static_cast<size_t>(cellIndex(r, c))];
                if (cell != 1 && shipBoxAt(cellIndex(r, c)).overlaps(wide))
                    cell = what;
            }
    };
    for (size_t f = 0; f < danger.size(); ++f) {
        for (const BotBox& d : danger[f])
            mark(f, d, 1);
        for (const BotBox& d : shots[f])
            mark(f, d, 2);
    }
}

// Over the frames: -1 if the ship, in either cell, would meet an enemy
// ship; otherwise how many cannonballs would strike it.
int LevelBot::hitsOn(int cellA, int cellB, int fromFrame, int toFrame) const
{
    if (toFrame >= static_cast<int>(blocked.size()))
        return -1;
    int hits = 0;
    bool inShot = false;
    for (int f = std::max(1, fromFrame); f <= toFrame; ++f) {
        const unsigned char a = blocked[static_cast<size_t>(f)][static_cast<size_t>(cellA)];
        const unsigned char b = blocked[static_cast<size_t>(f)][static_cast<size_t>(cellB)];
        if (a == 1 || b == 1)
            return -1;
        const bool shot = a == 2 || b == 2;
        hits += shot && !inShot;
        inShot = shot;
    }
    return hits;
}

int LevelBot::shortestRoute() const
{
    std::vector<int> distance(static_cast<size_t>(rows * cols), -1);
    std::deque<int> queue{startCell};
    distance[static_cast<size_t>(startCell)] = 0;
    while (!queue.empty()) {
        const int at = queue.front();
        queue.pop_front();
        if (std::find(goals.begin(), goals.end(), at) != goals.end())
            return distance[static_cast<size_t>(at)];
        const int r = at / cols, c = at % cols;
        for (auto [dr, dc] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
            if (r + dr < 0 || r + dr >= rows || c + dc < 0 || c + dc >= cols)
                continue;
            const int next = cellIndex(r + dr, c + dc);
            if (!water(next) || distance[static_cast<size_t>(next)] >= 0)
                continue;
            distance[static_cast<size_t>(next)] = distance[static_cast<size_t>(at)] + 1;
            queue.push_back(next);
        }
    }
    return -1;
}

// Earliest arrival first over (cell, tick, cannonballs taken): wait a tick,
// or sail to a neighbouring cell in two. A sail meets what either cell meets
// at any of its frames: the ship between them lies inside the two.
bool LevelBot::plan(std::vector<Step>& steps, std::string& why)
{
    const int ticks = LOOK_AHEAD_FRAMES / TICK - 2;
    const int cells = rows * cols;
    const int budgets = MAX_HITS + 1;
    // Settling into the start cell's place first.
    const float sx = static_cast<float>(startCell % cols) * PITCH + 0.5f;
    const float sy = static_cast<float>(startCell / cols) * PITCH + 0.5f;
    const float speed = game.getShip()->getSpeed() * FRAME;
    const int settle = static_cast<int>(std::ceil(std::fabs(startX - sx) / speed + std::fabs(startY - sy) / speed)) + 2;
    const int firstTick = (settle + TICK - 1) / TICK;
    if (!water(startCell) || goals.empty()) {
        why = "no start or no whirlpool on open water";
        return false;
    }
    auto id = [&](int cell, int tick, int hits) { return (tick * cells + cell) * budgets + hits; };
    std::vector<int> cameFrom(static_cast<size_t>(cells * ticks * budgets), -1);
    auto estimate = [&](int cell) {
        int best = 1 << 20;
        for (int g : goals)
            best = std::min(best, std::abs(g / cols - cell / cols) + std::abs(g % cols - cell % cols));
        return best * 2;
    };
    using Entry = std::pair<std::pair<int, int>, int>;  // ((estimated finishing tick, hits), state)
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    const int startHits = hitsOn(startCell, startCell, 1, firstTick * TICK);
    if (startHits < 0 || startHits > MAX_HITS) {
        why = "the start is in danger at once";
        return false;
    }
    const int start = id(startCell, firstTick, startHits);
    cameFrom[static_cast<size_t>(start)] = start;
    open.push({{firstTick + estimate(startCell), startHits}, start});
    int found = -1;
    while (!open.empty()) {
        const int state = open.top().second;
        open.pop();
        const int hits = state % budgets;
        const int cell = (state / budgets) % cells, tick = state / budgets / cells;
        const int frame = tick * TICK;
        if (std::find(goals.begin(), goals.end(), cell) != goals.end()) {
            const int stay = hitsOn(cell, cell, frame, frame + WHIRLPOOL_FRAMES);
            if (stay >= 0 && hits + stay <= MAX_HITS) {
                found = state;
                break;
            }
        }
        auto tryState = [&](int nextCell, int nextTick, int more) {
            if (more < 0 || hits + more > MAX_HITS || nextTick >= ticks)
                return;
            const int next = id(nextCell, nextTick, hits + more);
            if (cameFrom[static_cast<size_t>(next)] >= 0)
                return;
            cameFrom[static_cast<size_t>(next)] = state;
            open.push({{nextTick + estimate(nextCell), hits + more}, next});
        };
        tryState(cell, tick + 1, hitsOn(cell, cell, frame, frame + TICK));
        const int r = cell / cols, c = cell % cols;
        for (auto [dr, dc] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
            if (r + dr < 0 || r + dr >= rows || c + dc < 0 || c + dc >= cols)
                continue;
            const int next = cellIndex(r + dr, c + dc);
            if (water(next))
                tryState(next, tick + 2, hitsOn(cell, next, frame, frame + 2 * TICK));
        }
    }
    if (found < 0) {
        why = "no route gets by the enemies in " + std::to_string(LOOK_AHEAD_FRAMES / 60) + " s";
        return false;
    }
    std::vector<int> chain;
    for (int s = found; s != start; s = cameFrom[static_cast<size_t>(s)])
        chain.push_back(s);
    std::reverse(chain.begin(), chain.end());
    steps.clear();
    int previous = start;
    auto frameOf = [&](int s) { return (s / budgets / cells) * TICK; };
    for (int s : chain) {
        steps.push_back(Step{frameOf(previous), frameOf(s), (s / budgets) % cells});
        previous = s;
    }
    // Then stay on the whirlpool until the level ends.
    const int last = frameOf(found);
    steps.push_back(Step{last, last + WHIRLPOOL_FRAMES, (found / budgets) % cells});
    return true;
}

void LevelBot::releaseKeys()
{
    Input& in = *game.getInput();
    for (UCHAR key : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})
        if (in.isKeyDown(key))
            in.keyUp(key);
}

// The arrow keys for frame f of the schedule: first into the start cell's
// place, then toward the cell each step ends in, one axis at a time.
BotArrows LevelBot::arrowsAt(Level& lv, Ship& ship, const std::vector<Step>& steps, int f, size_t& next) const
{
    while (next < steps.size() && steps[next].toFrame < f)
        ++next;
    const bool settling = next == 0 && (steps.empty() || f <= steps[0].fromFrame);
    const int target = settling || next >= steps.size() ? (settling ? startCell : steps.back().cell) : steps[next].cell;
    const float tx = static_cast<float>(target % cols) * PITCH + 0.5f;
    const float ty = static_cast<float>(target / cols) * PITCH + 0.5f;
    const float dx = tx - (ship.getX() - lv.getMapX()), dy = ty - ship.getY();
    const bool horizontal = std::fabs(dx) >= STEP_NEAR;
    BotArrows a;
    a.right = horizontal && dx > 0;
    a.left = horizontal && dx < 0;
    a.down = !horizontal && dy >= STEP_NEAR;
    a.up = !horizontal && dy <= -STEP_NEAR;
    return a;
}

void LevelBot::steer(Level& lv, const std::vector<Step>& steps, int f, size_t& next)
{
    Input& in = *game.getInput();
    const BotArrows a = arrowsAt(lv, *game.getShip(), steps, f, next);
    auto hold = [&](UCHAR key, bool down) {
        if (down && !in.isKeyDown(key))
            in.keyDown(key);
        if (!down && in.isKeyDown(key))
            in.keyUp(key);
    };
    hold(VK_RIGHT, a.right);
    hold(VK_LEFT, a.left);
    hold(VK_DOWN, a.down);
    hold(VK_UP, a.up);
}

BotArrows LevelBot::arrowsFor(Level& lv, Ship& ship, int f) { return arrowsAt(lv, ship, planned, f, plannedNext); }

BotResult LevelBot::sail(const std::vector<Step>& steps)
{
    BotResult result;
    Level& lv = *static_cast<Level*>(game.findState("LEVEL" + std::to_string(number)));
    Input& in = *game.getInput();
    Ship& ship = *game.getShip();
    game.switchState(lv.getName(), "LOGO");
    ship.setLives(3);
    const int lives = ship.getLives();
    float health = 0;

    size_t next = 0;
    for (int f = 1; f < LOOK_AHEAD_FRAMES; ++f) {
        steer(lv, steps, f, next);

        lv.update(FRAME);
        if (!lv.getActive())
            break;
        // The enemies are where the record said they would be.
        size_t i = 0;
        bool off = false;
        eachEnemy(lv, [&](EnemyBase& e) {
            const float ex = e.getX() - lv.getMapX(), ey = e.getY();
            if (std::fabs(ex - enemyX[static_cast<size_t>(f)][i]) > 2 || std::fabs(ey - enemyY[static_cast<size_t>(f)][i]) > 2)
                off = true;
            ++i;
        });
        if (off) {
            result.why = "an enemy was not where it was foreseen, at frame " + std::to_string(f);
            break;
        }
        // Hull is lost only in the collisions; the update may trim a repair.
        health = ship.getHealth();
        lv.collisions(FRAME);
        in.clear(inputNS::KEYS_PRESSED);
        if (ship.getHealth() < health)
            result.hullLost += health - ship.getHealth();
        if (!lv.getActive())
            break;
        if (ship.getLives() < lives) {
            result.why = "a ship was lost at frame " + std::to_string(f);
            break;
        }
        result.seconds = static_cast<float>(f) * FRAME;
    }
    releaseKeys();
    result.seconds += FRAME;
    if (result.why.empty() && lv.getActive())
        result.why = "the level did not end";
    if (result.why.empty()) {
        const char* wanted = exit == 1 ? "LEVEL31" : nullptr;
        const bool toExit = wanted ? game.findState(wanted)->getActive()
                                   : (game.findState("UPGRADESCREEN")->getActive() || game.findState("COMPLETE")->getActive());
        if (!toExit)
            result.why = "the level ended somewhere else";
    }
    result.won = result.why.empty();
    return result;
}

// The future depends on the route where the map scrolls, so the route is
// planned, the future recorded again along it, and the route kept once it
// stays clear of that future.
BotResult LevelBot::run()
{
    BotResult result;
    if (!prepare(result.why)) {
        result.routeCells = shortestRoute();
        return result;
    }
    result = sail(planned);
    result.routeCells = shortestRoute();
    for (size_t i = 0; i + 1 < planned.size(); ++i)
        (planned[i].toFrame - planned[i].fromFrame == TICK ? result.waits : result.plannedMoves) += 1;
    return result;
}

bool LevelBot::prepare(std::string& why)
{
    std::vector<Step> steps;
    bool settled = false;
    for (int attempt = 0; attempt < 12 && !settled; ++attempt) {
        record(steps);
        markDanger(attempt > 1);
        if (!steps.empty() && stillClear(steps)) {
            settled = true;
            break;
        }
        if (!plan(steps, why))
            return false;
    }
    if (!settled) {
        record(steps);
        markDanger(false);
        if (!stillClear(steps)) {
            why = "the route and the enemies' future never agreed";
            return false;
        }
    }
    planned = steps;
    plannedNext = 0;
    return true;
}

bool LevelBot::stillClear(const std::vector<Step>& steps) const
{
    if (steps.empty())
        return false;
    int hits = hitsOn(startCell, startCell, 1, steps.front().fromFrame);
    int at = startCell;
    for (const Step& s : steps) {
        const int more = hitsOn(at, s.cell, s.fromFrame, s.toFrame);
        if (hits < 0 || more < 0)
            return false;
        hits += more;
        at = s.cell;
    }
    return hits <= MAX_HITS;
}
