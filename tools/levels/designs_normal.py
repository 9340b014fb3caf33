"""Levels 11 to 20, the normal run: ships cruise round islands on loops of
markers, each marker tied to the turn it gives that ship. They sail at 240
to 270, well above the easy run's 150 to 190, so the gaps between them are
shorter."""
from layout import Layout


def level_11():
    # Two brigs circle two L-shaped islands in opposite senses.
    lay = Layout(11, [
        "~.....,..s..",
        "...........s",
        "..sgs...ss..",
        "..h......g..",
        "..s..ri..s..",
        "............",
        "...~...,..sg",
    ], ["Twin Currents"])
    west = lay.loop((1, 1), (1, 5), (3, 5), (3, 3), (5, 3), (5, 1))
    east = lay.loop((1, 7), (1, 10), (5, 10), (5, 8), (3, 8), (3, 7))
    lay.cruise("EnemyShip1", west, 0, v=250)
    lay.cruise("EnemyShip1", east, 1, v=260)
    lay.coin(1, 3)
    lay.treasure(4, 8)
    lay.health(6, 5)
    lay.ammo(3, 6)
    # A sandbank shuts the south side of the corner: the way in is past the
    # eastern brig's turn.
    lay.whirlpool(0, 11)
    return lay


def level_12():
    # Two brigs round two T-shaped isles, brigs patrolling the flanks and a
    # cutter at the foot of the middle channel firing up it.
    lay = Layout(12, [
        "....~..,~...",
        "............",
        "..sgs..sgs..",
        ".,.h....h.,.",
        "...s....s...",
        "s..........s",
        "gs..~..~..sg",
    ], ["Crossroads"])
    west = lay.loop((1, 1), (1, 5), (3, 5), (3, 4), (5, 4), (5, 2), (3, 2), (3, 1))
    east = lay.loop((1, 6), (1, 10), (3, 10), (3, 9), (5, 9), (5, 7), (3, 7), (3, 6))
    lay.cruise("EnemyShip1", west, 0, v=250, cells=1)
    lay.cruise("EnemyShip1", east, 0, v=255, cells=3)
    lay.vpatrol("EnemyShip1", 0, 0, 4, start=1, v=240)
    lay.vpatrol("EnemyShip1", 11, 0, 4, start=3, v=245)
    # Off the start row, and beside the western brig's loop, not on it.
    lay.guard("EnemyShip", 5, 5, "up", v=190)
    lay.coins((1, 3), (1, 8), (4, 6), (5, 6))
    lay.treasures((0, 0), (0, 11), (4, 1), (4, 10))
    lay.health(6, 2)
    lay.ammo(2, 6)
    # In the far north-west, past the western brig's loop.
    lay.whirlpool(0, 1)
    return lay


def level_13():
    # Three skewed islands, each with its own current; neighbouring currents
    # share a channel, sailing it in opposite directions.
    lay = Layout(13, [
        "sgs..ss..sgs",
        "............",
        "..s..g..s...",
        "..gh.sh.hs..",
        "...s..s..s..",
        "............",
        "gs.~..,..:..",
    ], ["Crossing Currents"])
    for c, kind, v, leg in ((1, "EnemyShip1", 250, 0), (4, "EnemyShip", 255, 4),
                            (7, "EnemyShip1", 260, 1)):
        loop = lay.loop((1, c), (1, c + 2), (2, c + 2), (2, c + 3), (5, c + 3),
                        (5, c + 1), (4, c + 1), (4, c))
        lay.cruise(kind, loop, leg, v=v)
    lay.coins((6, 5), (0, 8))
    lay.treasures((3, 4), (3, 7), (1, 11))
    lay.health(3, 0)
    lay.ammo(5, 11)
    lay.whirlpool(0, 3)
    return lay


def level_14():
    # Batteries along the west shore cover the strait; a cutter circles the
    # middle island and two more sweep the top and bottom rows.
    lay = Layout(14, [
        "hgs.........",
        "gs..........",
        "hs...sgs....",
        "g:...shs....",
        "hs..........",
        "gs..........",
        "hgs..~......",
    ], ["Gun Battery"])
    island = lay.loop((1, 4), (1, 8), (4, 8), (4, 4))
    lay.cruise("EnemyShip", island, 0, v=260, cells=1)
    lay.hpatrol("EnemyShip", 0, 3, 11, start=7, v=250)
    lay.hpatrol("EnemyShip", 6, 3, 9, start=6, v=255)
    lay.guard("EnemyShip", 3, 1, "right", v=200)
    lay.guard("EnemyShip", 2, 11, "left", v=200)
    lay.guard("EnemyShip", 5, 2, "right", v=200)
    lay.guard("EnemyShip1", 4, 10, "left", v=200)
    lay.coins((1, 2), (2, 9), (5, 6), (0, 10), (4, 3))
    lay.treasures((3, 2), (3, 9), (6, 3))
    lay.health(1, 11)
    lay.ammo(5, 10)
    lay.whirlpool(2, 2)
    return lay


def level_15():
    # A brig rounds the cross-shaped isle, another the T-shaped one; they
    # share the channel between.
    lay = Layout(15, [
        "hgs..sgs..~.",
        "............",
        "....g..shs..",
        "...shs..g...",
        "....s...s...",
        "............",
        "gs..sgs..~..",
    ], ["The Cross"])
    cross = lay.loop((1, 3), (1, 5), (2, 5), (2, 6), (4, 6), (4, 5), (5, 5), (5, 3),
                     (4, 3), (4, 2), (2, 2), (2, 3))
    tee = lay.loop((1, 6), (1, 10), (3, 10), (3, 9), (5, 9), (5, 7), (3, 7), (3, 6))
    lay.cruise("EnemyShip1", cross, 0, v=255)
    lay.cruise("EnemyShip1", tee, 0, v=260, cells=2)
    lay.guard("EnemyShip", 6, 2, "up", v=200)
    lay.guard("EnemyShip1", 3, 11, "left", v=200)
    lay.guard("EnemyShip1", 6, 10, "up", v=200)
    lay.coins((0, 3), (3, 7), (5, 4), (2, 11))
    lay.treasures((0, 4), (3, 2), (4, 7), (6, 8))
    lay.health(5, 0)
    lay.ammo(1, 1)
    lay.whirlpool(0, 11)
    return lay


def level_16():
    # A maze of small isles. The two western brigs share the middle channel
    # westward and split at its end. They sail at one speed, half a lap
    # apart, so the shared channel holds one brig at a time.
    lay = Layout(16, [
        "....ss..s.sh",
        "............",
        "..i...s..r..",
        ".....shs....",
        "..r...s.....",
        "............",
        "gs..~....,sg",
    ], ["Labyrinth"])
    north = lay.loop((1, 1), (1, 3), (3, 3), (3, 1))
    south = lay.loop((3, 3), (3, 1), (5, 1), (5, 3))
    cross = lay.loop((1, 5), (1, 7), (2, 7), (2, 8), (4, 8), (4, 7), (5, 7), (5, 5),
                     (4, 5), (4, 4), (2, 4), (2, 5))
    hook = lay.loop((1, 8), (1, 10), (5, 10), (5, 9), (3, 9), (3, 8))
    lay.cruise("EnemyShip1", north, 1, v=250)
    lay.cruise("EnemyShip1", south, 1, v=250)
    lay.cruise("EnemyShip1", cross, 6, v=260)
    lay.cruise("EnemyShip1", hook, 1, v=255)
    lay.guard("EnemyShip", 6, 4, "up", v=200)
    lay.guard("EnemyShip1", 0, 9, "down", v=200)
    lay.guard("EnemyShip1", 6, 8, "left", v=200)
    lay.coins((2, 1), (4, 3), (2, 3), (5, 8))
    lay.treasures((3, 2), (0, 7), (3, 10), (6, 2))
    lay.health(0, 3)
    lay.ammo(4, 9)
    lay.whirlpool(5, 11)
    return lay


def level_17():
    # Two skewed isles with their own currents; brigs patrol the channel
    # between them and a cutter fires along the south shore.
    lay = Layout(17, [
        "...sg..,sgs.",
        "............",
        "..s......s..",
        "..gh....hg..",
        "...s....s...",
        "............",
        "...~..,...gs",
    ], ["Twin Forts"])
    west = lay.loop((1, 1), (1, 3), (2, 3), (2, 4), (5, 4), (5, 2), (4, 2), (4, 1))
    east = lay.loop((1, 10), (1, 8), (2, 8), (2, 7), (5, 7), (5, 9), (4, 9), (4, 10))
    lay.cruise("EnemyShip1", west, 3, v=260)
    lay.cruise("EnemyShip1", east, 5, v=265)
    lay.vpatrol("EnemyShip1", 5, 0, 6, start=2, v=250)
    lay.vpatrol("EnemyShip1", 6, 0, 6, start=5, v=255)
    lay.guard("EnemyShip", 6, 1, "right", v=200)
    lay.coins((0, 6), (3, 4), (3, 7), (6, 9))
    lay.treasures((0, 0), (0, 11), (3, 0), (3, 11))
    lay.health(6, 5)
    lay.ammo(2, 6)
    # Above the south shore the cutter fires along, not on it.
    lay.whirlpool(5, 10)
    return lay


def level_18():
    # Cutters guard the north passage, split in two beats; brigs round the
    # cross isle and the square isle; batteries fire up the flanks.
    lay = Layout(18, [
        "............",
        "......,.....",
        "...g....sg..",
        "..shs...hs..",
        "...s....sg..",
        "......~.....",
        "gs..s..s..sg",
    ], ["Divided Strait"])
    cross = lay.loop((1, 2), (1, 4), (2, 4), (2, 5), (4, 5), (4, 4), (5, 4), (5, 2),
                     (4, 2), (4, 1), (2, 1), (2, 2))
    square = lay.loop((1, 7), (1, 10), (5, 10), (5, 7))
    lay.cruise("EnemyShip1", cross, 4, v=265)
    lay.cruise("EnemyShip", square, 2, v=270)
    lay.hpatrol("EnemyShip", 0, 0, 4, start=2, v=260, shared=(False, True))
    lay.hpatrol("EnemyShip", 0, 6, 11, start=9, v=265, shared=(True, False))
    lay.guard("EnemyShip", 6, 3, "up", v=200)
    # Fires west along the southern channel the ship starts beside.
    lay.guard("EnemyShip1", 5, 11, "left", v=200)
    lay.coins((1, 6), (3, 6), (5, 8), (3, 0))
    lay.treasures((2, 6), (3, 11), (0, 5), (6, 2))
    lay.health(5, 0)
    lay.ammo(1, 11)
    lay.whirlpool(1, 0)
    return lay


def level_19():
    # Two brigs chase each other round the western isle, a third rounds the
    # eastern one; batteries fire down the middle and along the east.
    lay = Layout(19, [
        "sgs....sgs..",
        "............",
        "..sgs...ss..",
        "..h......g..",
        "..s......s..",
        "............",
        "gs..~..,....",
    ], ["Sentinels"])
    west = lay.loop((1, 1), (1, 5), (3, 5), (3, 3), (5, 3), (5, 1))
    east = lay.loop((1, 7), (1, 10), (5, 10), (5, 8), (3, 8), (3, 7))
    lay.cruise("EnemyShip1", west, 0, v=265)
    lay.cruise("EnemyShip1", west, 3, v=265)
    lay.cruise("EnemyShip1", east, 0, v=270)
    lay.guard("EnemyShip", 0, 5, "down", v=200)
    lay.guard("EnemyShip1", 5, 6, "up", v=200)  # off the start row
    lay.guard("EnemyShip1", 4, 11, "left", v=200)
    lay.coins((3, 4), (0, 11), (4, 7), (2, 6))
    lay.treasures((4, 8), (0, 3), (3, 0), (6, 7))
    lay.health(2, 11)
    lay.ammo(4, 4)
    lay.whirlpool(1, 0)
    return lay


def level_20():
    # The last run of the normal voyage: three corridors between two long
    # islands, batteries firing along them, brigs crossing through the gaps,
    # and a cache of cannonballs to fight through with.
    lay = Layout(20, [
        "..,.........",
        ".sgs.hgs.sgs",
        "............",
        "......~.....",
        "sghs.sgs.hs.",
        "............",
        "......~.....",
    ], ["Cannon Row"])
    lay.vpatrol("EnemyShip", 4, 0, 6, start=2, v=210)
    lay.vpatrol("EnemyShip", 8, 0, 6, start=5, v=220)
    lay.guard("EnemyShip1", 5, 11, "up", v=200)  # off the start row
    lay.guard("EnemyShip1", 3, 0, "right", v=200)
    lay.guard("EnemyShip1", 2, 11, "left", v=200)
    # Facing down: along the top row it would fire straight into the exit.
    lay.guard("EnemyShip1", 0, 0, "down", v=200)
    lay.guard("EnemyShip1", 5, 6, "left", v=200)
    lay.coins((5, 3), (2, 6), (0, 9))
    lay.treasure(3, 9)
    lay.health(2, 2)
    lay.ammos((6, 2), (5, 9), (3, 5), (2, 8), (0, 6), (3, 10), (6, 8), (0, 3))
    lay.whirlpool(0, 11)
    return lay


DESIGNS = {11: level_11, 12: level_12, 13: level_13, 14: level_14, 15: level_15,
           16: level_16, 17: level_17, 18: level_18, 19: level_19, 20: level_20}
