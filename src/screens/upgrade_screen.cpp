#include "screens/upgrade_screen.h"

#include "base/game_error.h"
#include "engine/game.h"
#include "engine/input.h"
#include "entities/ship.h"
#include "voyage/voyage.h"

#include <algorithm>
#include <cstdio>

namespace {

// Selection numbers.
enum Item { SAILS, HULL, CANNON, PROCEED, AMMO, LIVES, ITEM_COUNT };

struct Ware {
    int price;
    size_t itemImage;
    int priceImage;  // -1: none
};

constexpr int MAX_AMMO = 9;
constexpr int MAX_LIVES = 3;
constexpr int SAILS_SPEED = 50;
constexpr int HULL_DAMAGE_CUT = 17;
constexpr int CANNON_DAMAGE = 20;

constexpr COLOR_ARGB GREY = 0xFF808080;
constexpr COLOR_ARGB CYAN = 0xFF00FFFF;
constexpr COLOR_ARGB GREEN = 0xFF008000;
constexpr COLOR_ARGB RED = 0xFFFF0000;

enum Picture { BACKGROUND_PICTURE, AMMO_PICTURE, LIVES_PICTURE, PRICE_PICTURE, ITEM_PICTURE };

// Image numbers: the background, nine cannonballs, three lives, the eight
// prices and the six items, in load order.
constexpr size_t BACKGROUND = 0;
constexpr size_t FIRST_AMMO_ICON = 1;
constexpr size_t FIRST_LIFE_ICON = FIRST_AMMO_ICON + MAX_AMMO;
constexpr size_t FIRST_PRICE = FIRST_LIFE_ICON + MAX_LIVES;
enum Price { PRICE_10, PRICE_50, PRICE_100, PRICE_300, PRICE_400, PRICE_500, PRICE_1750, PRICE_1000 };
constexpr size_t FIRST_ITEM = FIRST_PRICE + 8;
enum ItemImage { CANNON_IMAGE, HULL_IMAGE, AMMO_IMAGE, LIVES_IMAGE, SAILS_IMAGE, PROCEED_IMAGE };

const std::vector<ScreenPicture> PICTURES = {
    {"pictures\\upgrades.jpg", "Error initialising upgrade screen texture"},
    {"pictures\\Ammunition.png", "Error initializing icon textures"},
    {"pictures\\LIVESICON.png", "Error initializing lives icon textures"},
    {"pictures\\upgradeprice.png", "Error initializing upgrade price texture"},
    {"pictures\\upgradeUI.png", "Error initializing upgrade texture"},
};

std::vector<ScreenImage> shopImages()
{
    std::vector<ScreenImage> list = {{BACKGROUND_PICTURE, 0, 0, 0, 0, 0, 0, "Error initialising upgrade screen"}};
    // The icons are put in a row once their picture's width is known.
    for (int i = 0; i < MAX_AMMO; ++i)
        list.push_back({AMMO_PICTURE, 0, 0, 0, 0, 480, 460, "Error initializing ammo icon"});
    for (int j = 0; j < MAX_LIVES; ++j)
        list.push_back({LIVES_PICTURE, 0, 0, 0, 0, 300, 460, "Error initializing lives icon"});
    // The 10, 50 and 400 prices are not sold here.
    const std::vector<ScreenImage> prices = {
        {PRICE_PICTURE, 250, 50, 4, 5, 620, 60, "Error initializing price 10"},
        {PRICE_PICTURE, 250, 50, 4, 0, 620, 60, "Error initializing price 50"},
        {PRICE_PICTURE, 250, 50, 4, 1, 630, 60, "Error initializing price 100"},
        {PRICE_PICTURE, 250, 50, 4, 2, 380, 50, "Error initializing price 300"},
        {PRICE_PICTURE, 250, 50, 4, 6, 185, 50, "Error initializing price 400"},
        {PRICE_PICTURE, 250, 50, 4, 3, 195, 40, "Error initializing price 500"},
        {PRICE_PICTURE, 250, 50, 4, 7, 540, 235, "Error initializing price 1750"},
        {PRICE_PICTURE, 250, 50, 4, 4, 235, 215, "Error initializing price 1000"},
        {ITEM_PICTURE, 250, 50, 4, 0, 460, 260, "Error initializing cannon"},
        {ITEM_PICTURE, 250, 50, 4, 1, 260, 250, "Error initializing hull"},
        {ITEM_PICTURE, 250, 50, 4, 8, 560, 100, "Error initializing Ammo refill"},
        {ITEM_PICTURE, 250, 50, 4, 9, 160, 85, "Error initializing lives upgrade"},
        {ITEM_PICTURE, 250, 50, 4, 2, 350, 80, "Error initializing sails"},
        {ITEM_PICTURE, 250, 50, 4, 5, 350, 520, "Error initializing proceed"},
    };
    list.insert(list.end(), prices.begin(), prices.end());
    return list;
}

constexpr Ware WARES[ITEM_COUNT] = {
    /* SAILS */ {300, FIRST_ITEM + SAILS_IMAGE, PRICE_300},
    /* HULL */ {1000, FIRST_ITEM + HULL_IMAGE, PRICE_1000},
    /* CANNON */ {1750, FIRST_ITEM + CANNON_IMAGE, PRICE_1750},
    /* PROCEED */ {0, FIRST_ITEM + PROCEED_IMAGE, -1},
    /* AMMO */ {100, FIRST_ITEM + AMMO_IMAGE, PRICE_100},
    /* LIVES */ {500, FIRST_ITEM + LIVES_IMAGE, PRICE_500},
};

// From each item: down, up, right, left, tried in that order.
const std::vector<MenuMoves> MOVES = {
    /* SAILS */ {HULL, SAILS, AMMO, LIVES},
    /* HULL */ {PROCEED, LIVES, CANNON, HULL},
    /* CANNON */ {PROCEED, AMMO, CANNON, HULL},
    /* PROCEED */ {PROCEED, HULL, PROCEED, PROCEED},
    /* AMMO */ {CANNON, AMMO, AMMO, SAILS},
    /* LIVES */ {HULL, LIVES, SAILS, LIVES},
};

}  // namespace

UpgradeScreen::UpgradeScreen(Voyage* voyage)
    : Screen(voyage, "UPGRADESCREEN", PICTURES, shopImages()), ship(voyage->getShip()), cursor(MOVES)
{
    cursor.selection = PROCEED;
}

void UpgradeScreen::initialize()
{
    if (!font.initialize(graphics, 50, false, false, "Stencil"))
        throw GameError(FATAL_ERROR, "Error initializing dxscore");
    Screen::initialize();
    const float ammoWidth = static_cast<float>(texture(AMMO_PICTURE).getWidth(0));
    const float lifeWidth = static_cast<float>(texture(LIVES_PICTURE).getWidth(0));
    for (size_t i = 0; i < MAX_AMMO; ++i)
        image(FIRST_AMMO_ICON + i).setX(480 + static_cast<float>(i) * ammoWidth);
    for (size_t j = 0; j < MAX_LIVES; ++j)
        image(FIRST_LIFE_ICON + j).setX(300 + static_cast<float>(j) * lifeWidth);
}

void UpgradeScreen::update(float frameTime)
{
    image(BACKGROUND).update(frameTime);
    std::vector<size_t> items;
    for (const Ware& ware : WARES)
        items.push_back(ware.itemImage);
    cursor.point(*input, boxesOf(items));
    cursor.move(*input);
    if (cursor.choose(*input))
        buy(cursor.selection);
    cursor.rearm(*input, true);
}

// A purchase whose condition fails does nothing: the price's colour says why.
void UpgradeScreen::buy(int item)
{
    if (item == PROCEED) {
        voyage->startNextLevel();
        return;
    }
    const int price = WARES[item].price;
    if (ship->getGold() < price)
        return;
    switch (item) {
    case SAILS:
        if (ship->getSailsLevel() > 0)
            return;
        ship->setSailsLevel(ship->getSailsLevel() + 1);
        ship->setSpeed(ship->getSpeed() + SAILS_SPEED);
        break;
    case HULL:
        if (ship->getHullLevel() > 0)
            return;
        ship->setHullLevel(ship->getHullLevel() + 1);
        ship->reduceHitDamage(HULL_DAMAGE_CUT);
        break;
    case CANNON:
        if (ship->getCannonLevel() > 0)
            return;
        ship->setCannonLevel(ship->getCannonLevel() + 1);
        ship->setCannonDamage(ship->getCannonDamage() + CANNON_DAMAGE);
        break;
    case AMMO:
        if (ship->getAmmo() >= MAX_AMMO)
            return;
        ship->addAmmo(1);
        break;
    case LIVES:
        if (voyage->gauntlet || ship->getLives() >= MAX_LIVES)
            return;
        ship->setLives(ship->getLives() + 1);
        break;
    default:
        return;
    }
    ship->addGold(-price);
    playCue("COIN2");
}

COLOR_ARGB UpgradeScreen::itemColor(int item)
{
    const bool selected = item == cursor.selection;
    bool soldOut = false;
    switch (item) {
    case SAILS:
        soldOut = ship->getSailsLevel() > 0;
        break;
    case HULL:
        soldOut = ship->getHullLevel() > 0;
        break;
    case CANNON:
        soldOut = ship->getCannonLevel() > 0;
        break;
    case AMMO:
        soldOut = ship->getAmmo() >= MAX_AMMO;
        break;
    case LIVES:
        // Highlighted, a full set of lives still shows cyan, except in the
        // gauntlet where lives are never sold.
        soldOut = voyage->gauntlet || (ship->getLives() >= MAX_LIVES && !selected);
        break;
    default:
        break;
    }
    if (soldOut)
        return GREY;
    return selected ? CYAN : graphicsNS::WHITE;
}

COLOR_ARGB UpgradeScreen::priceColor(int item)
{
    const int gold = ship->getGold();
    const bool affordable = gold >= WARES[item].price;
    switch (item) {
    case SAILS:
        return ship->getSailsLevel() > 0 ? GREY : affordable ? GREEN : RED;
    case HULL:
        return !affordable ? RED : ship->getHullLevel() > 0 ? GREY : GREEN;
    case CANNON:
        return !affordable ? RED : ship->getCannonLevel() > 0 ? GREY : GREEN;
    case AMMO:
        return !affordable ? RED : ship->getAmmo() < MAX_AMMO ? GREEN : GREY;
    case LIVES: {
        const bool closed = voyage->gauntlet || ship->getLives() >= MAX_LIVES;
        return closed ? GREY : affordable ? GREEN : RED;
    }
    default:
        return graphicsNS::WHITE;
    }
}

void UpgradeScreen::draw()
{
    image(BACKGROUND).draw(graphicsNS::WHITE);
    for (int item : {SAILS, HULL, CANNON, AMMO, LIVES, PROCEED})
        image(WARES[item].itemImage).draw(item == PROCEED ? (cursor.selection == PROCEED ? CYAN : graphicsNS::WHITE)
                                                          : itemColor(item));
    const int selected = cursor.selection;
    if (selected >= 0 && selected < ITEM_COUNT && WARES[selected].priceImage >= 0)
        image(FIRST_PRICE + static_cast<size_t>(WARES[selected].priceImage)).draw(priceColor(selected));

    const int ammo = std::min(ship->getAmmo(), MAX_AMMO);
    for (int i = 0; i < ammo; ++i)
        image(FIRST_AMMO_ICON + static_cast<size_t>(i)).draw(graphicsNS::WHITE);
    const int lives = std::min(ship->getLives(), MAX_LIVES);
    for (int j = 0; j < lives; ++j)
        image(FIRST_LIFE_ICON + static_cast<size_t>(j)).draw(graphicsNS::WHITE);

    font.setFontColor(graphicsNS::WHITE);
    char gold[20];
    std::snprintf(gold, sizeof(gold), " %d ", ship->getGold());
    font.print(gold, 80, 450);
}

void UpgradeScreen::releaseAll()
{
    Screen::releaseAll();
    font.onLostDevice();
}

void UpgradeScreen::reset()
{
    cursor.enter(*input);
    Screen::reset();
}

void UpgradeScreen::resetAll()
{
    Screen::resetAll();
    font.onResetDevice();
}
