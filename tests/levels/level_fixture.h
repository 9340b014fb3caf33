// Level tests run the real game object headless on the real pictures, maps
// and level files, with the clock stepped one sixtieth of a second a frame.
// The pilot sails the ship from cell to cell over open water, holding the
// arrow keys a player would hold.
#pragma once

#include "support/game_fixture.h"

#include "entities/cannon.h"
#include "entities/ship.h"
#include "levels/level.h"

#include <cmath>
#include <deque>
#include <optional>

constexpr float FRAME = 1.0f / 60.0f;

class LevelFixture : public GameFixture {
protected:
    Ship& ship() { return *game->getShip(); }
    Input& input() { return *game->getInput(); }
    Level& level(int n) { return *static_cast<Level*>(game->stateAt(11 + n)); }
    bool active(const char* stateName) { return game->findState(stateName)->getActive(); }

    // Enters level n as the console would, from the logo screen.
    Level& enter(int n)
    {
        game->switchState("LEVEL" + std::to_string(n), "LOGO");
        return level(n);
    }

    void step(int frames = 1)
    {
        for (int i = 0; i < frames; ++i)
            frame(FRAME);
    }

    void release(UCHAR key)
    {
        if (input().isKeyDown(key))
            input().keyUp(key);
    }
    void hold(UCHAR key)
    {
        if (!input().isKeyDown(key))
            input().keyDown(key);
    }
    void releaseArrows()
    {
        for (UCHAR k : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})
            release(k);
    }

    // The cell whose top-left corner puts the ship's 64 px frame centred in it.
    static float cellLeft(int col) { return col * 65.0f + 0.5f; }
    static float cellTop(int row) { return row * 65.0f + 0.5f; }

    // Water cells from the ship's cell to `goal`, breadth first; empty if none.
    std::deque<Cell> route(Level& lv, Cell goal)
    {
        const TileGrid& grid = lv.getTileMap();
        const Cell start = shipCell();
        std::vector<int> from(static_cast<size_t>(grid.rows() * grid.cols()), -1);
        auto id = [&](Cell c) { return c.row * grid.cols() + c.col; };
        std::deque<Cell> queue{start};
        from[static_cast<size_t>(id(start))] = id(start);
        while (!queue.empty()) {
            const Cell c = queue.front();
            queue.pop_front();
            if (c == goal)
                break;
            for (Cell n : {Cell{c.row - 1, c.col}, Cell{c.row + 1, c.col}, Cell{c.row, c.col - 1}, Cell{c.row, c.col + 1}}) {
                if (!grid.contains(n.row, n.col) || grid.isSolid(n.row, n.col) || from[static_cast<size_t>(id(n))] >= 0)
                    continue;
                from[static_cast<size_t>(id(n))] = id(c);
                queue.push_back(n);
            }
        }
        std::deque<Cell> path;
        if (from[static_cast<size_t>(id(goal))] < 0)
            return path;
        for (int at = id(goal); at != id(start); at = from[static_cast<size_t>(at)])
            path.push_front(Cell{at / grid.cols(), at % grid.cols()});
        return path;
    }

    Cell shipCell()
    {
        return Cell{static_cast<int>(std::lround((ship().getY() - 0.5f) / 65.0f)),
                    static_cast<int>(std::lround((ship().getX() - 0.5f) / 65.0f))};
    }

    // Steers one frame toward (x, y), one axis at a time; true once there.
    bool steerToward(float x, float y)
    {
        releaseArrows();
        const float dx = x - ship().getX();
        const float dy = y - ship().getY();
        const float near = ship().getSpeed() * FRAME;
        if (std::fabs(dx) > near)
            hold(dx > 0 ? VK_RIGHT : VK_LEFT);
        else if (std::fabs(dy) > near)
            hold(dy > 0 ? VK_DOWN : VK_UP);
        else
            return true;
        return false;
    }

    // Sails to the cell, over water; false if it cannot be reached or the
    // trip takes too long (the ship was pushed about or sank).
    bool sailTo(Level& lv, Cell goal, int maxFrames = 3000)
    {
        // First settle into the cell the ship is in, then cell by cell.
        const Cell here = shipCell();
        int frames = 0;
        while (!steerToward(cellLeft(here.col), cellTop(here.row)) && frames++ < maxFrames)
            step();
        std::deque<Cell> path = route(lv, goal);
        if (path.empty() && !(shipCell() == goal))
            return false;
        for (Cell c : path) {
            while (!steerToward(cellLeft(c.col), cellTop(c.row))) {
                if (frames++ > maxFrames)
                    return false;
                step();
            }
        }
        releaseArrows();
        return shipCell() == goal;
    }

    static Cell cellUnder(const Entity& e, float size)
    {
        Entity& m = const_cast<Entity&>(e);
        return Cell{static_cast<int>((m.getY() + size / 2) / 65.0f), static_cast<int>((m.getX() + size / 2) / 65.0f)};
    }
};
