"""Levels 21 to 31, the hard run: wide maps that scroll, batteries on the
shores, faster ships."""
from layout import Layout


def _guards(lay, kind, v, *spots):
    for r, c, facing in spots:
        lay.guard(kind, r, c, facing, v=v)


def level_21():
    # Out of the home bay, round the ring of cutters and through the gate
    # between two batteried islands.
    lay = Layout(21, [
        "sgs......~......sgs.....",
        "s...............sgh.....",
        "....ss....sgs.......:...",
        "...shs....shs......i....",
        "....s.....sgs...........",
        ".................sgs....",
        "..~.....~.......shs.....",
    ], ["Into the Deep"])
    ring = lay.loop((1, 9), (1, 13), (5, 13), (5, 9))
    lay.cruise("EnemyShip", ring, 0, v=230, cells=1)
    lay.cruise("EnemyShip", ring, 2, v=230, cells=1)
    lay.hpatrol("EnemyShip", 0, 3, 15, start=10, v=240)
    _guards(lay, "EnemyShip1", 220,
            (3, 6, "right"), (1, 15, "left"), (2, 16, "down"), (4, 18, "up"),
            (3, 20, "right"), (6, 20, "up"), (2, 2, "down"))
    lay.coin(3, 8)
    lay.treasure(4, 21)
    lay.health(2, 14)
    lay.ammos((6, 5), (0, 21))
    lay.whirlpool(1, 22)
    return lay


def level_22():
    lay = Layout(22, [
        "sgs..........r.....~..sg",
        "s......................s",
        ".....sgs...:.....sgs....",
        "..,...h..........sgs....",
        "......s..........shs....",
        ".............r..........",
        "..~..sgs..........~..sgs",
    ], ["Dead Men's Shoals"])
    tee = lay.loop((1, 4), (1, 8), (3, 8), (3, 7), (5, 7), (5, 5), (3, 5), (3, 4))
    ring = lay.loop((1, 16), (1, 20), (5, 20), (5, 16))
    lay.cruise("EnemyShip1", tee, 0, v=230, cells=2)
    lay.cruise("EnemyShip1", tee, 4, v=230)
    lay.cruise("EnemyShip", ring, 1, v=240)
    lay.vpatrol("EnemyShip", 12, 0, 6, start=3, v=235)
    lay.guard("EnemyShip", 6, 4, "up", v=220)
    _guards(lay, "EnemyShip1", 220,
            (0, 10, "down"), (6, 14, "up"), (3, 22, "left"), (6, 17, "up"),
            (0, 15, "down"), (4, 2, "right"))
    lay.coins((1, 2), (5, 6), (2, 10), (4, 13), (2, 21), (6, 12))
    lay.treasure(3, 7)
    lay.health(0, 17)
    lay.ammos((5, 1), (4, 9), (1, 21))
    lay.whirlpool(5, 23)
    return lay


def level_23():
    # The ship starts in mid-sea between two currents: a square one to the
    # west and a cross-shaped one to the east.
    lay = Layout(23, [
        "sgs.....sg.........s....",
        "s.........:.........~...",
        "..gs....i......g........",
        "..hs..........shs.....sg",
        "..sg...........s......sh",
        "............,..........s",
        "gs.....sgs.......sgs....",
    ], ["The Maelstrom"])
    west = lay.loop((1, 1), (1, 4), (5, 4), (5, 1))
    cross = lay.loop((1, 14), (1, 16), (2, 16), (2, 17), (4, 17), (4, 16), (5, 16),
                     (5, 14), (4, 14), (4, 13), (2, 13), (2, 14))
    lay.cruise("EnemyShip", west, 0, v=240, cells=1)
    lay.cruise("EnemyShip1", west, 2, v=240, cells=1)
    lay.cruise("EnemyShip", cross, 4, v=250)
    _guards(lay, "EnemyShip1", 220,
            (0, 7, "down"), (2, 9, "right"), (6, 11, "up"), (0, 12, "down"),
            (6, 20, "up"), (2, 21, "down"), (5, 22, "left"), (1, 18, "right"))
    lay.coins((3, 0), (3, 11), (6, 15))
    lay.treasures((3, 5), (0, 5), (3, 17), (0, 22), (6, 23))
    lay.health(4, 20)
    lay.ammo(5, 10)
    lay.whirlpool(1, 23)
    return lay


def level_24():
    lay = Layout(24, [
        "sgs.....sgs.............",
        "s.......s........~...sgs",
        "....ss.......i...ss.....",
        ".~..s............gs.....",
        "....s..,..r......sg..:..",
        "......................sg",
        "..~......sgs..~......sgs",
    ], ["Running the Gauntlet"])
    hook = lay.loop((1, 3), (1, 7), (3, 7), (3, 5), (5, 5), (5, 3))
    ring = lay.loop((1, 16), (1, 19), (5, 19), (5, 16))
    lay.cruise("EnemyShip", hook, 0, v=240, cells=1)
    lay.cruise("EnemyShip", hook, 3, v=240)
    lay.cruise("EnemyShip1", ring, 1, v=250)
    lay.hpatrol("EnemyShip", 0, 11, 23, start=18, v=250)
    lay.hpatrol("EnemyShip", 6, 12, 20, start=16, v=245)
    _guards(lay, "EnemyShip1", 220,
            (1, 9, "right"), (3, 12, "down"), (5, 10, "left"), (2, 21, "left"),
            (4, 21, "right"), (0, 13, "down"))
    lay.coins((2, 6), (4, 2), (3, 14), (5, 17), (1, 20))
    lay.treasure(3, 16)
    lay.health(5, 8)
    lay.ammos((0, 4), (4, 22))
    lay.whirlpool(3, 23)
    return lay


DESIGNS = {21: level_21, 22: level_22, 23: level_23, 24: level_24}
