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
    lay.guard("EnemyShip", 5, 4, "up", v=220)  # off the start row
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
    # In the corner above the row the eastern battery fires along.
    lay.whirlpool(0, 23)
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
    # The north cutter turns short of the battery at (0, 13), not through it.
    lay.hpatrol("EnemyShip", 0, 14, 23, start=18, v=250)
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


def level_25():
    # Two fortified isles, each circled by patrols; a cutter sweeps the south
    # passage and a brig the eastern approach to the whirlpool.
    lay = Layout(25, [
        "sgs.............sgs.....",
        "s....shhs...............",
        ".....sggs...:...........",
        "..r..shhs......sggs.....",
        "...............shhs.....",
        "......,........ssgs.....",
        "..~................~....",
    ], ["Coral Keeps"])
    lay.ring(0, 4, 4, 9, top=("EnemyShip", 240, 6), bottom=("EnemyShip", 245, 7),
             left=("EnemyShip1", 240, 2), right=("EnemyShip1", 250, 3))
    lay.ring(2, 14, 6, 19, top=("EnemyShip", 250, 17), left=("EnemyShip1", 245, 4),
             right=("EnemyShip1", 250, 3))
    lay.hpatrol("EnemyShip", 6, 3, 11, start=8, v=255)
    lay.vpatrol("EnemyShip1", 22, 0, 6, start=2, v=260)
    _guards(lay, "EnemyShip1", 220, (2, 12, "down"), (0, 20, "down"), (4, 11, "up"))
    lay.coins((1, 10), (5, 5), (3, 20), (0, 14))
    lay.treasures((3, 3), (5, 13), (2, 21), (0, 23), (6, 16))
    lay.health(4, 2)
    lay.ammos((2, 10), (6, 13), (5, 21))
    lay.whirlpool(3, 23)
    return lay


def level_26():
    # Ten cutters: four round each keep, one down the east channel and one
    # along the south shore.
    lay = Layout(26, [
        "sgs....~..............s.",
        "s.............sggs......",
        "....sghs......shhs......",
        "....shgs......sggs......",
        "....sgss.....,..........",
        "............sgs.........",
        "..~....sgs..............",
    ], ["Ten Cutters"])
    lay.ring(1, 3, 5, 8, top=("EnemyShip", 250, 6), bottom=("EnemyShip", 255, 5),
             left=("EnemyShip", 250, 3), right=("EnemyShip", 255, 2))
    lay.ring(0, 13, 4, 18, top=("EnemyShip", 255, 15), bottom=("EnemyShip", 260, 16),
             left=("EnemyShip", 255, 2), right=("EnemyShip", 260, 1))
    lay.hpatrol("EnemyShip", 6, 10, 21, start=17, v=260)
    lay.vpatrol("EnemyShip", 21, 0, 4, start=2, v=255)
    # The south-east battery fires along the shore: up its column it would
    # fire straight into the exit.
    _guards(lay, "EnemyShip1", 220, (3, 10, "down"), (5, 3, "up"), (2, 20, "left"),
            (6, 23, "left"), (0, 11, "down"))
    lay.coins((0, 5), (3, 12), (5, 18), (1, 22))
    lay.treasures((3, 1), (2, 9), (0, 19), (5, 10), (4, 23))
    lay.health(5, 1)
    lay.ammos((0, 8), (2, 12), (4, 19), (6, 20))
    lay.whirlpool(2, 23)
    return lay


def level_27():
    # Three long lanes cut into beats by markers, ten cutters on them, and
    # batteries on the islands between firing across the lanes.
    lay = Layout(27, [
        "sgs....sgs...sgs....sgs.",
        ".~.........~.........~..",
        "..sgs....sgs....sgs.....",
        "ss......................",
        "....sgs....sgs....sgs...",
        "......:.................",
        "gs......sgs....sgs....sg",
    ], ["Armada Run"])
    for c0, c1, start, v in ((3, 6, 5, 270), (8, 11, 10, 275), (13, 16, 14, 280),
                             (18, 21, 20, 285)):
        lay.hpatrol("EnemyShip", 1, c0, c1, start=start, v=v, shared=(True, True))
    for c0, c1, start, v in ((5, 9, 8, 275), (11, 15, 13, 280), (17, 21, 19, 285)):
        lay.hpatrol("EnemyShip", 3, c0, c1, start=start, v=v, shared=(True, True))
    for c0, c1, start, v in ((7, 10, 9, 280), (12, 15, 14, 285), (17, 20, 18, 290)):
        lay.hpatrol("EnemyShip", 5, c0, c1, start=start, v=v, shared=(True, True))
    _guards(lay, "EnemyShip1", 230,
            (2, 5, "right"), (2, 12, "right"), (2, 19, "right"), (0, 3, "down"),
            (0, 11, "down"), (0, 17, "down"), (4, 7, "right"), (4, 14, "right"),
            (4, 21, "right"), (6, 13, "up"), (6, 20, "up"))
    lay.coins((1, 4), (1, 9), (1, 15), (1, 20), (3, 6), (3, 12), (3, 19), (5, 8),
              (5, 13), (5, 19), (0, 6))
    lay.treasures((2, 8), (2, 15), (4, 10), (4, 17), (6, 11))
    for cell in ((2, 0), (4, 2), (0, 12), (6, 18), (2, 22)):
        lay.health(*cell)
    lay.ammos((1, 2), (3, 4), (5, 4), (6, 5), (0, 5), (1, 11), (3, 9), (5, 11),
              (6, 7), (0, 18), (1, 17), (3, 16), (5, 16), (4, 22), (2, 14), (0, 23))
    # In the south-east, off the end of the south lane: reaching it asks for
    # a run down the lanes, not a long wait under the eastern batteries.
    lay.whirlpool(5, 23)
    return lay


def level_28():
    # Two ways out: the whirlpool in the south-east, and one hidden in the
    # north-east corner behind the hills, which leads somewhere else.
    lay = Layout(28, [
        "sgs.......~....sgsgs....",
        "s....................sgs",
        "....sgs..........shs....",
        ".....h...........sgs....",
        ".....s...........shs....",
        "..:.........,...........",
        "g....sgs................",
    ], ["Two Whirlpools"])
    # The battery at (5, 3) stands beside the tee's loop, not on it.
    tee = lay.loop((1, 3), (1, 7), (3, 7), (3, 6), (5, 6), (5, 4), (3, 4), (3, 3))
    ring = lay.loop((1, 16), (1, 20), (5, 20), (5, 16))
    lay.cruise("EnemyShip", tee, 0, v=250, cells=2)
    lay.cruise("EnemyShip", ring, 0, v=220, cells=1)
    lay.cruise("EnemyShip", ring, 2, v=220, cells=1)
    lay.hpatrol("EnemyShip", 6, 8, 14, start=11, v=260, shared=(False, True))
    lay.hpatrol("EnemyShip", 6, 16, 22, start=20, v=265, shared=(True, False))
    lay.vpatrol("EnemyShip", 10, 0, 5, start=2, v=255)
    lay.vpatrol("EnemyShip", 13, 0, 5, start=4, v=260)
    _guards(lay, "EnemyShip1", 230,
            (3, 8, "right"), (0, 12, "down"), (2, 22, "left"), (4, 22, "left"),
            (5, 3, "up"), (0, 3, "down"), (3, 14, "right"), (3, 15, "up"))
    lay.coins((2, 2), (4, 7), (1, 12), (3, 11), (5, 15), (2, 16), (0, 21))
    lay.treasures((4, 4), (3, 16), (0, 22))
    for cell in ((5, 1), (2, 9), (4, 21)):
        lay.health(*cell)
    lay.ammos((1, 1), (3, 0), (6, 3), (2, 8), (4, 9), (0, 11), (5, 12), (2, 14),
              (4, 15), (5, 18), (1, 19), (3, 21), (5, 22))
    lay.whirlpool(5, 23)
    lay.whirlpool_at(1501, 16)
    return lay


def level_29():
    # A coast of coves, each held by a pair of batteries; more on the islets
    # of the middle channel, and five cutters working the lanes.
    lay = Layout(29, [
        "gsgshgsgsgshgsgsgshgsgsg",
        "....s...s...s...s...s...",
        "......~.........~.......",
        "....i....r....i....r....",
        "..~..........~..........",
        "..s...s...s...s...s...s.",
        "sgsgshsgsgsgshsgsgsgshsg",
    ], ["Battery Coast"])
    lay.hpatrol("EnemyShip", 2, 1, 11, start=8, v=260)
    lay.hpatrol("EnemyShip", 2, 13, 22, start=18, v=265)
    lay.hpatrol("EnemyShip", 4, 1, 11, start=5, v=260)
    lay.hpatrol("EnemyShip", 4, 13, 21, start=17, v=270)
    lay.vpatrol("EnemyShip", 12, 2, 5, start=3, v=260)
    coves = []
    for c in (5, 9, 13, 17, 21):
        coves += [(1, c, "right"), (1, c + 2, "left")]
    for c in (3, 7, 11, 15, 19):
        coves += [(5, c, "right"), (5, c + 2, "left")]
    _guards(lay, "EnemyShip1", 230, *coves)
    _guards(lay, "EnemyShip1", 230,
            (3, 0, "right"), (3, 3, "left"), (3, 5, "right"), (3, 8, "left"),
            (3, 10, "right"), (3, 13, "left"), (3, 15, "right"), (3, 18, "left"),
            (3, 20, "right"), (3, 23, "left"))
    lay.coins((1, 6), (1, 18), (5, 8), (5, 16))
    lay.treasures((1, 10), (1, 22), (5, 4), (5, 20))
    for cell in ((2, 5), (4, 10), (2, 15), (4, 20)):
        lay.health(*cell)
    lay.ammos((1, 2), (3, 11), (3, 16))
    lay.whirlpool(4, 23)
    return lay


def level_30():
    # The last passage: two lanes of cutters and brigs between the islands,
    # batteries on the islands firing down the gaps.
    lay = Layout(30, [
        "sgsgs....~....sgsgs.....",
        "s..........sgs.....s..s.",
        "........................",
        "...sgs....sgs....sgs....",
        "........................",
        "......sgs.......sgs.....",
        "..~..sgggs.....sgs...sgs",
    ], ["The Last Passage"])
    for c0, c1, start, kind, v in ((4, 8, 6, "EnemyShip", 285), (10, 14, 13, "EnemyShip", 290),
                                   (16, 20, 18, "EnemyShip1", 295)):
        lay.hpatrol(kind, 2, c0, c1, start=start, v=v, shared=(True, True))
    for c0, c1, start, kind, v in ((3, 7, 6, "EnemyShip", 285), (9, 13, 11, "EnemyShip", 295),
                                   (15, 19, 17, "EnemyShip1", 300)):
        lay.hpatrol(kind, 4, c0, c1, start=start, v=v, shared=(True, True))
    # The batteries at (1, 15) and (0, 20) fire along the north channels,
    # the ways round the lanes to the whirlpool.
    _guards(lay, "EnemyShip1", 240, (3, 6, "right"), (3, 13, "right"), (1, 15, "right"), (1, 10, "down"))
    lay.coins((1, 3), (3, 8), (5, 12), (1, 18), (5, 20))
    lay.treasures((0, 7), (3, 15), (6, 12), (1, 21))
    lay.health(5, 4)
    lay.ammos((3, 1), (0, 12), (6, 19))
    lay.whirlpool(1, 23)
    return lay


def level_31():
    # Harrowdell's hoard: a lagoon island circled by two cutters, chests and
    # coin everywhere, and batteries watching every approach.
    lay = Layout(31, [
        "hgs...sgs.........sgsgsh",
        "s.......................",
        "...sgs...sgssgs.....~...",
        "...shs...s..............",
        "...sgs...sgssgs.........",
        "........................",
        "..~.....................",
    ], ["Harrowdell's Hoard"])
    ring = lay.loop((1, 8), (1, 15), (5, 15), (5, 8))
    lay.cruise("EnemyShip", ring, 0, v=220, cells=2)
    lay.cruise("EnemyShip", ring, 2, v=220, cells=2)
    lay.hpatrol("EnemyShip", 6, 3, 18, start=12, v=230)
    lay.vpatrol("EnemyShip", 20, 1, 6, start=3, v=265)
    _guards(lay, "EnemyShip", 240,
            (2, 2, "left"), (4, 2, "left"), (2, 6, "right"), (4, 6, "right"),
            (0, 4, "down"), (3, 10, "right"))
    _guards(lay, "EnemyShip1", 240,
            (3, 13, "right"), (0, 12, "down"), (0, 15, "down"), (6, 22, "left"),
            (2, 18, "right"), (4, 18, "right"), (1, 21, "down"), (0, 17, "down"),
            (4, 22, "up"), (2, 16, "up"), (4, 17, "up"), (1, 7, "down"))
    lay.coins((1, 1), (1, 3), (1, 5), (0, 3), (5, 2), (5, 4), (3, 1), (6, 1),
              (1, 10), (1, 13), (5, 10), (5, 13), (3, 16), (3, 19), (1, 18), (5, 19),
              (6, 23), (3, 22))
    # Not between the two batteries of the middle lane: only sinking one
    # would open that pocket.
    lay.treasures((3, 14), (3, 17), (3, 0), (0, 5), (2, 7), (4, 7), (2, 17),
                  (4, 16), (0, 10), (6, 20), (2, 23), (4, 20), (5, 21), (0, 14))
    for cell in ((3, 6), (3, 15), (1, 23)):
        lay.health(*cell)
    lay.ammos((2, 0), (4, 0), (0, 9), (3, 8), (5, 9), (1, 16), (4, 23), (3, 20),
              (1, 9), (5, 14), (0, 11))
    # At the south-east end of the hoard: the treasure is the test here,
    # not a long wait under the eastern batteries on the way out.
    lay.whirlpool(5, 23)
    return lay


DESIGNS = {21: level_21, 22: level_22, 23: level_23, 24: level_24, 25: level_25,
           26: level_26, 27: level_27, 28: level_28, 29: level_29, 30: level_30,
           31: level_31}
