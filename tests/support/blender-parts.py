# Imports a glTF file that md2gltf wrote with parts into Blender and plays every action, checking that
# each part named on the command line moves with the body it is a child of: at every key time and
# half-way between keys, the part's origin sits on a body vertex (the one its tag rides), and at every
# key time the tag's x axis keeps the angle it makes at the first key with the direction to the body
# vertex it points at. Half-way the angle is only printed: glTF turns a node along the shortest arc,
# the engine blends the axes and squares them again, and the two part ways on a large turn.
#   blender -b --python blender-parts.py -- FILE.glb PART...
# Prints one line per action and part and "parts: ok" or "parts: FAILED"; exits 1 on a failure.
import sys

import numpy as np

np.bool = bool  # Blender 3.4's glTF importer still uses the alias numpy 1.24 dropped.
import bpy  # noqa: E402
from mathutils import Vector  # noqa: E402

ON_VERTEX = 1e-4  # metres: the part's origin and its vertex coincide
ANGLE = 1e-3  # radians, at key times


# The tag's x axis is the part's MD2 x (its front), which md2gltf turns into glTF's z and Blender's
# importer into its -y.
TAG_X = Vector((0, -1, 0))


def body_vertices(body):
    graph = bpy.context.evaluated_depsgraph_get()
    evaluated = body.evaluated_get(graph)
    mesh = evaluated.to_mesh()
    points = [body.matrix_world @ v.co for v in mesh.vertices]
    evaluated.to_mesh_clear()
    return points


def play(track_name):
    """Makes the action of the NLA track of that name the active one of every object and shape key set."""
    for owner in [o for o in bpy.data.objects] + [o.data.shape_keys for o in bpy.data.objects
                                                  if o.type == 'MESH' and o.data.shape_keys]:
        data = owner.animation_data
        if not data:
            continue
        for track in data.nla_tracks:
            track.mute = True
            if track.name == track_name and track.strips:
                data.action = track.strips[0].action


def key_times(part):
    """The key frames of the part's active action, and the frames half-way between them."""
    keys = sorted({round(p.co[0], 4) for c in part.animation_data.action.fcurves for p in c.keyframe_points})
    between = [(a + b) / 2 for a, b in zip(keys, keys[1:])]
    return keys, between


def set_frame(frame):
    whole = int(frame)
    bpy.context.scene.frame_set(whole, subframe=frame - whole)


def check(part, action):
    body = part.parent
    keys, between = key_times(part)
    vertex = pointed = None
    worst_distance = worst_angle = worst_between = 0.0
    for frame in sorted(keys + between):
        set_frame(frame)
        points = body_vertices(body)
        origin = part.matrix_world.translation
        x_axis = (part.matrix_world.to_3x3() @ TAG_X).normalized()
        if vertex is None:
            vertex = min(range(len(points)), key=lambda i: (points[i] - origin).length)
            pointed = max((i for i in range(len(points)) if (points[i] - origin).length > ON_VERTEX),
                          key=lambda i: x_axis.dot((points[i] - origin).normalized()))
        angle = x_axis.angle((points[pointed] - origin).normalized())
        if frame == keys[0]:
            first_angle = angle
        worst_distance = max(worst_distance, (points[vertex] - origin).length)
        if frame in keys:
            worst_angle = max(worst_angle, abs(angle - first_angle))
        else:
            worst_between = max(worst_between, abs(angle - first_angle))
    ok = worst_distance < ON_VERTEX and worst_angle < ANGLE
    print("%s %s: %d keys, on vertex %d within %.2g m, x axis toward vertex %d within %.2g rad at keys, "
          "%.2g half-way (not checked): %s" % (action, part.name, len(keys), vertex, worst_distance, pointed, worst_angle,
                                 worst_between, "ok" if ok else "FAILED"))
    return ok


def main():
    args = sys.argv[sys.argv.index("--") + 1:]
    bpy.ops.wm.read_factory_settings(use_empty=True)
    bpy.ops.import_scene.gltf(filepath=args[0])
    parts = [bpy.data.objects[name] for name in args[1:]]
    actions = sorted({t.name for p in parts if p.animation_data for t in p.animation_data.nla_tracks})
    ok = bool(actions) and all(p.parent for p in parts)
    for action in actions:
        play(action)
        for part in parts:
            ok = check(part, action) and ok
    print("parts: %d actions, %s" % (len(actions), "ok" if ok else "FAILED"))
    sys.exit(0 if ok else 1)


main()
