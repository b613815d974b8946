#!/usr/bin/env python3
"""Checks that the libraries' includes agree with their declared CMake dependencies.

Reads every #include of lib/, game/ and tools/, maps it to the library that owns the
included header, and compares that with the dependencies the build declares (the target
file that configuring writes, build/<preset>/layering/targets.txt). It fails, naming the
file and line, when

  - a library includes a header of a library (or package) it does not declare,
  - a library declares a library (or package) whose headers it never includes,
  - the declared dependencies between the project's libraries form a cycle,
  - an OpenGL header is included outside the OpenGL back ends, or GLFW outside the
    window application.

    scripts/check-layering.py --source-dir . --targets build/ci/layering/targets.txt

Prints one line per problem and exits with 1, or prints a summary and exits with 0.
"""

import argparse
import fnmatch
import os
import re
import sys

# The folders whose files belong to the layered libraries.
LAYERED_ROOTS = ("lib", "game", "tools")

# Files that hold code: headers, sources, and extensionless templates such as GAME_MAIN.
CODE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".inl", "")
NOT_CODE = ("CMakeLists.txt",)

# External headers, by the first part of their path, and the package target that
# provides them. Any other <...> include is the standard or the C library.
PACKAGE_OF_HEADER = {
    "epoxy/": "PkgConfig::EPOXY",
    "GL/glu.h": "OpenGL::GLU",
    "GL/": "OpenGL::GL",
    "GLFW/": "glfw",
}

# Where OpenGL and GLFW headers may be included (patterns on repository paths).
OPENGL_HEADERS = ("epoxy/", "GL/")
OPENGL_ALLOWED = ("lib/Render/OGL/*", "lib/MatSys/OGL/*")
GLFW_HEADERS = ("GLFW/",)
GLFW_ALLOWED = ("lib/Game/GLFWApp*",)

PREPROCESSOR_LINE = re.compile(r"^\s*#\s*(ifdef|ifndef|if|elif|else|endif)\b(.*)")
INCLUDE_LINE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


class Target:
    def __init__(self, name, kind, folder, deps, sources):
        self.name = name
        self.kind = kind
        self.folder = folder
        self.deps = deps
        self.sources = sources

    @property
    def is_library(self):
        return self.kind.endswith("_LIBRARY")


def read_targets(path, source_dir):
    """Reads the target file: one line per target, fields separated by '|':
    name, type, absolute source folder, dependencies and sources (both ';'-separated)."""
    targets = {}
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            name, kind, folder, deps, sources = line.split("|")
            folder = os.path.relpath(folder, source_dir)
            targets[name] = Target(
                name,
                kind,
                folder,
                [dep for dep in deps.split(";") if dep],
                [source_path(source, folder, source_dir) for source in sources.split(";") if source],
            )
    return targets


def source_path(source, folder, source_dir):
    if os.path.isabs(source):
        return os.path.relpath(source, source_dir)
    return os.path.normpath(os.path.join(folder, source))


def code_files(source_dir):
    for root in LAYERED_ROOTS:
        for folder, _, names in os.walk(os.path.join(source_dir, root)):
            for name in sorted(names):
                if name in NOT_CODE or os.path.splitext(name)[1] not in CODE_SUFFIXES:
                    continue
                yield os.path.relpath(os.path.join(folder, name), source_dir)


def includes_of(path, source_dir):
    """(line number, bracket, included path) for every #include of the file, except those
    of the browser build (between #ifdef __EMSCRIPTEN__ and its #else or #endif), whose
    headers come with emscripten and not from the packages the libraries declare."""
    branches = []  # per open #if: True while in the browser's branch
    with open(os.path.join(source_dir, path), encoding="utf-8", errors="replace") as stream:
        for number, line in enumerate(stream, 1):
            directive = PREPROCESSOR_LINE.match(line)
            if directive:
                word, rest = directive.group(1), directive.group(2).strip()
                if word.startswith("if"):
                    branches.append(word == "ifdef" and rest == "__EMSCRIPTEN__")
                elif word in ("else", "elif") and branches:
                    branches[-1] = False
                elif word == "endif" and branches:
                    branches.pop()
            if any(branches):
                continue
            match = INCLUDE_LINE.match(line)
            if match:
                yield number, match.group(1), match.group(2)


class Ownership:
    """Which targets a file of the tree belongs to."""

    def __init__(self, targets):
        self.by_source = {}
        self.library_of_folder = {}
        self.executable_of_folder = {}
        for target in targets.values():
            for source in target.sources:
                self.by_source.setdefault(source, []).append(target.name)
            owners = self.library_of_folder if target.is_library else self.executable_of_folder
            owners.setdefault(target.folder, target.name)

    def folder_owner(self, path):
        """The library (else the executable) of the file's folder or of the nearest folder
        above it that has one."""
        folder = os.path.dirname(path)
        while folder:
            owner = self.library_of_folder.get(folder) or self.executable_of_folder.get(folder)
            if owner:
                return owner
            folder = os.path.dirname(folder)
        return None

    def owners(self, path):
        """The targets that compile the file, or the target of its folder for a header."""
        return self.by_source.get(path) or [owner for owner in [self.folder_owner(path)] if owner]

    def header_owners(self, path):
        """The targets whose header this is: those that compile the header's own source
        file, else the target of its folder."""
        stem = os.path.splitext(path)[0]
        owners = set()
        for source, compiled_by in self.by_source.items():
            if os.path.splitext(source)[0] == stem:
                owners.update(compiled_by)
        if not owners and self.folder_owner(path):
            owners.add(self.folder_owner(path))
        return owners


def resolve(including, bracket, included, source_dir):
    """The repository path of a project header, or None for an external one."""
    candidates = [os.path.join("lib", included), included]
    if bracket == '"':
        candidates.insert(0, os.path.join(os.path.dirname(including), included))
    for candidate in candidates:
        candidate = os.path.normpath(candidate)
        if os.path.isfile(os.path.join(source_dir, candidate)):
            return candidate
    return None


def package_of(included):
    for prefix, package in PACKAGE_OF_HEADER.items():
        if included == prefix or (prefix.endswith("/") and included.startswith(prefix)):
            return package
    return None


def starts_with_any(included, prefixes):
    return any(included.startswith(prefix) for prefix in prefixes)


def matches_any(path, patterns):
    return any(fnmatch.fnmatchcase(path, pattern) for pattern in patterns)


class Checker:
    def __init__(self, source_dir, targets):
        self.source_dir = source_dir
        self.targets = targets
        self.ownership = Ownership(targets)
        self.problems = []
        self.used = {name: set() for name in targets}

    def report(self, text):
        self.problems.append(text)

    def run(self):
        for path in code_files(self.source_dir):
            for number, bracket, included in includes_of(path, self.source_dir):
                self.check_include(path, number, bracket, included)
        self.check_unused()
        self.check_cycles()
        return self.problems

    def check_include(self, path, number, bracket, included):
        where = f"{path}:{number}"
        self.check_placement(path, where, included)
        header = resolve(path, bracket, included, self.source_dir)
        if header is not None:
            providers = self.ownership.header_owners(header)
        else:
            package = package_of(included)
            if package is None:
                if bracket == '"':
                    self.report(f"{where}: includes \"{included}\", which is no file of the project")
                return
            providers = {package}
        for owner in self.ownership.owners(path):
            self.check_declared(owner, providers, where, included)

    def check_declared(self, owner, providers, where, included):
        if owner in providers:
            return
        declared = providers.intersection(self.targets[owner].deps)
        if declared:
            self.used[owner].update(declared)
            return
        provider = sorted(providers)[0]
        self.report(f"{where}: {owner} includes \"{included}\" of {provider} but does not declare {provider}")

    def check_placement(self, path, where, included):
        if starts_with_any(included, OPENGL_HEADERS):
            allowed, what = OPENGL_ALLOWED, "OpenGL headers belong in lib/Render/OGL and lib/MatSys/OGL"
        elif starts_with_any(included, GLFW_HEADERS):
            allowed, what = GLFW_ALLOWED, "GLFW belongs to the window application (lib/Game/GLFWApp)"
        else:
            return
        if matches_any(path, allowed):
            return
        self.report(f"{where}: includes <{included}>: {what}")

    def check_unused(self):
        for name, target in sorted(self.targets.items()):
            for dep in target.deps:
                if dep not in self.used[name] and (dep in self.targets or is_package(dep)):
                    self.report(f"{target.folder}/CMakeLists.txt: {name} declares {dep} but includes none of its headers")

    def check_cycles(self):
        graph = {name: [dep for dep in target.deps if dep in self.targets] for name, target in self.targets.items()}
        for cycle in find_cycles(graph):
            self.report("cycle in the declared dependencies: " + " -> ".join(cycle))


def is_package(dep):
    return dep in PACKAGE_OF_HEADER.values()


def find_cycles(graph):
    """Every cycle a depth-first walk closes, as a closed path of names."""
    cycles = []
    state = {}
    stack = []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for dep in sorted(graph[node]):
            if state.get(dep) == "open":
                cycles.append(stack[stack.index(dep):] + [dep])
            elif dep not in state:
                visit(dep)
        stack.pop()
        state[node] = "done"

    for node in sorted(graph):
        if node not in state:
            visit(node)
    return cycles


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source-dir", required=True, help="the repository root")
    parser.add_argument("--targets", required=True, help="the target file the configure step writes")
    args = parser.parse_args(argv)

    source_dir = os.path.abspath(args.source_dir)
    targets = read_targets(args.targets, source_dir)
    checker = Checker(source_dir, targets)
    problems = checker.run()
    for problem in problems:
        print(problem)
    if problems:
        print(f"layering: {len(problems)} problem(s)")
        return 1
    print(f"layering: {len(targets)} targets, includes and dependencies agree, no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
