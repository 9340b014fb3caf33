"""Levels 1 to 10, the easy run: small patrols along open channels."""
from level_files import Enemy
from layout import Layout
from roster import PATROL_H, PATROL_V


def level_1():
    # The pattern level: its objects are fixed; the map keeps the top row
    # open for the cutter and column 3 open for the brig.
    lay = Layout(1, [
        "..~......~.s",
        "ss..:.,.r.sg",
        "ghs:.....:sh",
        "ss....ss..:s",
        ".r..:.sgs..s",
        "......:ss..s",
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
    fixed_markers = [(0, 0), (710, 0), (192, 64), (192, 455)]
    build = lay.build

    def build_level1():
        data = build()
        data.markers = list(fixed_markers)
        return data
    lay.build = build_level1
    return lay


DESIGNS = {1: level_1}
