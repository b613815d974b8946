#!/usr/bin/env python3
"""Runs scripts/check-layering.py on small trees written here and checks what it says."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "check-layering.py")

# A tree that passes: Render/OGL draws with OpenGL and uses Util; the window
# application is the one GLFW user.
CLEAN_FILES = {
    "lib/Util/Strings.h": "#pragma once\n#include <string>\n",
    "lib/Util/Strings.cpp": '#include "Util/Strings.h"\n',
    "lib/Render/OGL/Draw.cpp": '#include <epoxy/gl.h>\n#include "Util/Strings.h"\n',
    "lib/Game/GLFWApp.cpp": '#include <GLFW/glfw3.h>\n#include "Render/OGL/Draw.h"\n',
    "lib/Render/OGL/Draw.h": "#pragma once\n",
}
CLEAN_TARGETS = [
    ("lib_Util", "lib/Util", [], ["Strings.cpp"]),
    ("lib_Render_OGL", "lib/Render/OGL", ["lib_Util", "PkgConfig::EPOXY"], ["Draw.cpp"]),
    ("lib_Game", "lib/Game", ["lib_Render_OGL", "glfw"], ["GLFWApp.cpp"]),
]


def write_tree(root, files, targets):
    for path, text in files.items():
        os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
        with open(os.path.join(root, path), "w", encoding="utf-8") as stream:
            stream.write(text)
    lines = []
    for name, folder, deps, sources in targets:
        lines.append("|".join([name, "STATIC_LIBRARY", os.path.join(root, folder), ";".join(deps), ";".join(sources)]))
    targets_file = os.path.join(root, "targets.txt")
    with open(targets_file, "w", encoding="utf-8") as stream:
        stream.write("\n".join(lines) + "\n")
    return targets_file


def run_check(files, targets):
    with tempfile.TemporaryDirectory() as root:
        targets_file = write_tree(root, files, targets)
        result = subprocess.run(
            [sys.executable, SCRIPT, "--source-dir", root, "--targets", targets_file],
            capture_output=True,
            text=True,
        )
        return result.returncode, result.stdout


def with_deps(name, deps):
    return [(n, f, deps if n == name else d, s) for n, f, d, s in CLEAN_TARGETS]


class CheckLayering(unittest.TestCase):
    def test_a_tree_whose_includes_match_its_dependencies_passes(self):
        code, output = run_check(CLEAN_FILES, CLEAN_TARGETS)
        self.assertEqual(code, 0, output)
        self.assertIn("includes and dependencies agree", output)

    def test_the_browser_branch_needs_no_declared_package_but_its_else_branch_does(self):
        browser = ("#ifdef __EMSCRIPTEN__\n#ifndef X\n#endif\n#include <GL/gl.h>\n"
                   "#else\n#include <epoxy/gl.h>\n#endif\n")
        code, output = run_check({**CLEAN_FILES, "lib/Render/OGL/Draw.cpp": browser}, with_deps(
            "lib_Render_OGL", ["PkgConfig::EPOXY"]))
        self.assertEqual(code, 0, output)
        code, output = run_check({**CLEAN_FILES, "lib/Render/OGL/Draw.cpp": browser}, with_deps(
            "lib_Render_OGL", []))
        self.assertEqual(code, 1, output)
        self.assertIn('Draw.cpp:6: lib_Render_OGL includes "epoxy/gl.h"', output)

    def test_each_fault_fails_naming_where_it_is(self):
        cases = [
            (
                "undeclared library",
                {"lib/Util/Strings.cpp": '#include "Util/Strings.h"\n#include "Render/OGL/Draw.h"\n'},
                CLEAN_TARGETS,
                'lib/Util/Strings.cpp:2: lib_Util includes "Render/OGL/Draw.h" of lib_Render_OGL '
                "but does not declare lib_Render_OGL",
            ),
            (
                "undeclared package",
                {},
                with_deps("lib_Render_OGL", ["lib_Util"]),
                'lib/Render/OGL/Draw.cpp:1: lib_Render_OGL includes "epoxy/gl.h" of PkgConfig::EPOXY '
                "but does not declare PkgConfig::EPOXY",
            ),
            (
                "declared but unused",
                {},
                with_deps("lib_Game", ["lib_Render_OGL", "glfw", "lib_Util"]),
                "lib/Game/CMakeLists.txt: lib_Game declares lib_Util but includes none of its headers",
            ),
            (
                "cycle",
                {"lib/Util/Strings.cpp": '#include "Util/Strings.h"\n#include "Game/GLFWApp.h"\n',
                 "lib/Game/GLFWApp.h": "#pragma once\n"},
                with_deps("lib_Util", ["lib_Game"]),
                "cycle in the declared dependencies: lib_Game -> lib_Render_OGL -> lib_Util -> lib_Game",
            ),
            (
                "OpenGL outside the back ends",
                {"lib/Game/GLFWApp.cpp": "#include <GLFW/glfw3.h>\n#include <GL/gl.h>\n"},
                with_deps("lib_Game", ["glfw", "OpenGL::GL"]),
                "lib/Game/GLFWApp.cpp:2: includes <GL/gl.h>: OpenGL headers belong in lib/Render/OGL "
                "and lib/MatSys/OGL",
            ),
            (
                "GLFW outside the window application",
                {"lib/Render/OGL/Draw.cpp": "#include <epoxy/gl.h>\n#include <GLFW/glfw3.h>\n"},
                with_deps("lib_Render_OGL", ["PkgConfig::EPOXY", "glfw"]),
                "lib/Render/OGL/Draw.cpp:2: includes <GLFW/glfw3.h>: GLFW belongs to the window application",
            ),
            (
                "missing project header",
                {"lib/Util/Strings.cpp": '#include "Util/Missing.h"\n'},
                CLEAN_TARGETS,
                'lib/Util/Strings.cpp:1: includes "Util/Missing.h", which is no file of the project',
            ),
        ]
        for name, changed, targets, expected in cases:
            with self.subTest(name):
                code, output = run_check({**CLEAN_FILES, **changed}, targets)
                self.assertEqual(code, 1, output)
                self.assertIn(expected, output)


if __name__ == "__main__":
    unittest.main()
