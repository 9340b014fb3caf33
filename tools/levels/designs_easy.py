"""Levels 1 to 10, the easy run: small patrols along open channels."""
from level_files import Enemy
from layout import Layout
from roster import PATROL_H, PATROL_V


def level_1():
    # The pattern level: its objects are fixed. The map keeps the top row
    # open for the cutter, and columns 3 and 4 for the brig. Each patrol's
    # markers stand on its own centre line (the cutter's y 5 + 32, the
    # brig's x 192 + 32), and the brig's top marker low enough that the
    # cutter never brushes it: a marker off the line pushed its patrol a
    # little sideways at every turn, until the brig left the map and the
    # cutter sailed over the islands.
    # The first level teaches steering, so every way the ship needs is two
    # cells wide: up from the start bay past the brig's lane, east along the
    # northern roads (the reef that pinched them at column 8 is gone), and
    # down a three-cell mouth (column 10 opened) into the whirlpool's basin;
    # the health sits in a bay opened under the eastern island.
    lay = Layout(1, [
        "..~......~.s",
        "ss..:.,...sg",
        "ghs:.....:.h",
        "ss....ss..:s",
        ".r..:.sgs..s",
        "......:.s..s",
        "........,iss",
    ], ["Quiet Roads"])
    d = lay.data
    d.pickups["coin"] = [(440, 140), (330, 140), (140, 400)]
    d.pickups["treasure"] = [(330, 400)]
    d.pickups["health"] = [(460, 400)]
    d.pickups["ammo"] = [(335, 270)]
    lay.routes = [
        (Enemy("EnemyShip", 400, 5, "left", 150, -150, PATROL_H, frame="left"), []),
        (Enemy("EnemyShip1", 192, 194, "down", 200, -200, PATROL_V, frame="left",
               respawn=(192, 256)), []),
    ]
    d.whirlpools = [(666, 276)]
    lay.fixed_markers = [(32, 37), (710, 37), (224, 90), (224, 455)]
    return lay


def level_2():
    lay = Layout(2, [
        "~.........~.",
        "ss:...,.....",
        "ghs..i......",
        "hgs.......ss",
        "gs........sg",
        "s...,ss...sh",
        ".:..:sg.~.ss",
    ], ["The Sound"])
    lay.hpatrol("EnemyShip", 4, 3, 8, start=6, v=150)
    lay.vpatrol("EnemyShip1", 7, 1, 6, start=2, v=155)
    lay.coins((1, 4), (3, 5), (5, 8), (6, 3), (2, 10))
    lay.treasure(0, 0)
    lay.health(5, 2)
    lay.ammo(0, 5)
    lay.whirlpool(6, 1)
    return lay


def level_3():
    lay = Layout(3, [
        "s.,.....~...",
        "g...sgs.....",
        "s..:shgs....",
        "rr.rr:rr.rri",
        "..:.........",
        "............",
        "ss..,~ssg..s",
    ], ["Reef Gate"])
    lay.vpatrol("EnemyShip1", 2, 0, 3, start=1, v=150)
    lay.vpatrol("EnemyShip1", 8, 0, 3, start=2, v=160)
    lay.hpatrol("EnemyShip", 5, 0, 4, start=2, v=155, shared=(False, True))
    lay.hpatrol("EnemyShip", 5, 6, 11, start=9, v=160, shared=(True, False))
    lay.coins((1, 1), (2, 10), (4, 5), (6, 3), (4, 10))
    lay.treasure(2, 1)
    lay.ammos((1, 3), (6, 9))
    lay.health(6, 10)
    lay.whirlpool(6, 2)
    return lay


def level_4():
    # One long channel, cut into three beats by four markers. A cutter and a
    # brig share the eastern beat at one speed, starting from its two ends,
    # so they meet in its middle and part again rather than sail as one.
    lay = Layout(4, [
        "sgs..~..sggs",
        "ss:...i..:ss",
        "....ss...,..",
        "............",
        ".:..r...ss..",
        "sg......sgs.",
        "hgs..~.:ss..",
    ], ["Long Reach"])
    lay.hpatrol("EnemyShip1", 3, 0, 2, start=1, v=150, shared=(False, True))
    lay.hpatrol("EnemyShip", 3, 4, 6, start=5, v=155, shared=(True, True))
    lay.hpatrol("EnemyShip", 3, 8, 11, start=11, dx=-20, v=160, shared=(True, False))
    lay.hpatrol("EnemyShip1", 3, 8, 11, start=8, v=160, shared=(True, False))
    lay.coins((2, 1), (1, 7), (4, 2), (5, 5), (2, 10), (6, 4))
    lay.treasure(0, 7)
    lay.health(5, 11)
    lay.ammo(4, 6)
    lay.whirlpool(0, 3)
    return lay


def level_5():
    lay = Layout(5, [
        "~..........~",
        ".sgs....ss..",
        ".shs...,sgs.",
        "..s......hs.",
        ".sg.......,.",
        ".ss:....sgs.",
        "~.....~....~",
    ], ["Four Isles"])
    lay.hpatrol("EnemyShip", 0, 1, 10, start=5, v=155)
    lay.hpatrol("EnemyShip", 6, 1, 10, start=8, v=160)
    lay.vpatrol("EnemyShip1", 0, 1, 5, start=2, v=155)
    lay.vpatrol("EnemyShip1", 11, 1, 5, start=3, v=165)
    lay.coins((1, 4), (2, 7), (4, 4), (5, 7), (0, 9), (6, 2))
    lay.treasure(3, 1)
    lay.health(1, 10)
    lay.ammo(4, 10)
    lay.whirlpool(6, 11)
    return lay


def level_6():
    # A bay with five coves; a brig watches each of the two deep coves.
    lay = Layout(6, [
        "hgs.sgs.sgsh",
        "gs.......:sg",
        "s..........s",
        "..r.......,s",
        "...........s",
        "ss:..i...:sg",
        "gs..~...~..h",
    ], ["Treasure Cove"])
    lay.vpatrol("EnemyShip1", 3, 0, 4, start=1, v=160)
    lay.vpatrol("EnemyShip1", 7, 0, 4, start=3, v=165)
    lay.hpatrol("EnemyShip", 1, 2, 8, start=6, v=160)
    lay.hpatrol("EnemyShip", 6, 2, 9, start=4, v=165)
    lay.coins((2, 1), (4, 2), (2, 5), (4, 9), (1, 9), (6, 7), (5, 4))
    lay.treasures((0, 3), (0, 7), (3, 0), (6, 9), (5, 3))
    lay.health(2, 10)
    lay.ammo(4, 4)
    # In the far south-east corner, past the end of the southern cutter's beat.
    lay.whirlpool(6, 10)
    return lay


def level_7():
    # The ship leaves a walled harbour into a busy roadstead.
    lay = Layout(7, [
        "~..........~",
        ".sgs....sgs.",
        "............",
        ".,.ss..ss.,.",
        "...sg..gs...",
        "...sh..hs...",
        ".~.ss..ss.~.",
    ], ["Harbour Mouth"])
    lay.hpatrol("EnemyShip", 0, 1, 10, start=4, v=160)
    lay.hpatrol("EnemyShip", 2, 2, 9, start=7, v=165)
    lay.vpatrol("EnemyShip1", 0, 1, 5, start=2, v=160)
    lay.vpatrol("EnemyShip1", 11, 1, 5, start=4, v=165)
    lay.vpatrol("EnemyShip1", 2, 4, 6, start=4, v=170)
    lay.vpatrol("EnemyShip1", 9, 4, 6, start=5, v=170)
    lay.coins((0, 3), (0, 8), (2, 4), (2, 7), (4, 1), (4, 10), (6, 0), (6, 11))
    lay.treasures((1, 0), (1, 11), (3, 2), (3, 9))
    lay.health(1, 5)
    lay.ammo(1, 7)
    # Out of the harbour and down the western channel, between two brigs' lanes.
    lay.whirlpool(6, 1)
    return lay


def level_8():
    # Four ships circle the fort; its sheltered east pool holds the chest.
    lay = Layout(8, [
        "......,.....",
        ".sgs...shhs.",
        ".ghs..:sg,:.",
        "..s....shhs.",
        "~...........",
        "..i..sgs....",
        "~...sggs..~.",
    ], ["The Fort"])
    lay.ring(0, 6, 4, 11,
             top=("EnemyShip", 160, 8), bottom=("EnemyShip", 165, 9),
             left=("EnemyShip1", 160, 1), right=("EnemyShip1", 170, 2))
    lay.coins((0, 8), (4, 9), (2, 0))
    lay.treasure(2, 9)
    lay.health(6, 2)
    lay.ammo(3, 5)
    lay.whirlpool(6, 10)
    return lay


def level_9():
    lay = Layout(9, [
        "sgs...~.....",
        "gs.....,....",
        "s..:ss..sss.",
        "....sg..sgs.",
        ".r..ss..shs.",
        "..:.........",
        ".....~ssg..~",
    ], ["The Narrows"])
    lay.ring(1, 7, 5, 11,
             top=("EnemyShip", 170, 9), bottom=("EnemyShip", 175, 8),
             left=("EnemyShip1", 170, 3))
    lay.vpatrol("EnemyShip1", 6, 0, 4, start=2, v=175)
    lay.hpatrol("EnemyShip", 6, 0, 4, start=3, v=170)
    lay.coins((0, 4), (2, 6), (5, 5), (1, 9), (5, 9), (3, 0))
    lay.treasures((3, 11), (1, 2))
    lay.health(6, 2)
    lay.ammo(2, 2)
    lay.whirlpool(6, 10)
    return lay


def level_10():
    lay = Layout(10, [
        "gs..:.......",
        "s.....sggs..",
        "......shhs..",
        ".~....sg,s..",
        ".:..........",
        "sgs..i......",
        "hgs.........",
    ], ["Smugglers' Den"])
    lay.ring(0, 5, 4, 10,
             top=("EnemyShip", 180, 8), bottom=("EnemyShip", 185, 7),
             left=("EnemyShip1", 180, 2), right=("EnemyShip1", 185, 1))
    lay.vpatrol("EnemyShip", 3, 0, 6, start=4, v=180)
    lay.hpatrol("EnemyShip", 6, 5, 11, start=9, v=190)
    lay.coins((0, 2), (4, 3), (6, 4), (5, 8))
    lay.treasures((3, 8), (0, 11), (2, 0), (5, 3), (6, 11), (1, 4))
    lay.health(4, 0)
    lay.ammo(2, 4)
    lay.whirlpool(5, 11)
    return lay


DESIGNS = {1: level_1, 2: level_2, 3: level_3, 4: level_4, 5: level_5, 6: level_6,
           7: level_7, 8: level_8, 9: level_9, 10: level_10}
