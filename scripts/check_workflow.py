#!/usr/bin/env python3
"""Checks a GitHub Actions workflow of this repository against the repository.

    check_workflow.py WORKFLOW [--presets CMakePresets.json]

- the file is YAML, runs on push and pull_request, and every job has steps;
- every action it uses is pinned to a major version tag (owner/name@vN);
- every command that a `run:` step runs is a file of the repository (run
  directly, or as `bash FILE`) or one of the tools in ALLOWED_TOOLS; anything
  the check cannot follow (command substitution, `bash -c`, loops) is a fault:
  put it in a script under scripts/;
- every preset named by `cmake --preset`, `cmake --build --preset` and
  `ctest --preset` exists as a preset of that kind; a build or test preset
  belongs to a configure preset that the same job configured before; and a
  configure preset that the workflow uses has no toolchain file, emulator or
  host condition (the runner builds and tests natively).

A job with a matrix is checked once for each of its combinations, with
`${{ matrix.NAME }}` put in; any other `${{ ... }}` stands for an unknown word.
Prints each finding; the exit code is 1 when there is one, 2 when a file
cannot be read or parsed.
"""
import argparse
import itertools
import json
import os
import re
import shlex
import sys

import yaml

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Programs a step may run that are not files of the repository.
ALLOWED_TOOLS = {"cmake", "ctest"}
# Programs that run a file of the repository given as their first argument.
INTERPRETERS = {"bash"}

SEPARATORS = {"&&", "||", ";", "|", "&", "|&"}
REDIRECTIONS = {"<", ">", ">>", ">&", "<&", "&>", "&>>", ">|"}
SHELL_WORDS = {"if", "then", "elif", "else", "fi", "for", "while", "until", "do", "done",
               "case", "esac", "function", "{", "}", "!", "[[", "]]", "eval", "exec",
               "source", "."}
PINNED_ACTION = re.compile(r"^[A-Za-z0-9_.-]+/[A-Za-z0-9_.-]+(/[A-Za-z0-9_./-]+)?@v[0-9]+$")
EXPRESSION = re.compile(r"\$\{\{\s*(.*?)\s*\}\}")
MATRIX_VALUE = re.compile(r"^matrix\.([A-Za-z0-9_-]+)$")
UNKNOWN_WORD = "__expression__"


class WorkflowError(Exception):
    """The workflow or the presets cannot be read at all."""


def load_workflow(text):
    try:
        workflow = yaml.safe_load(text)
    except yaml.YAMLError as error:
        raise WorkflowError(f"not valid YAML: {error}") from None
    if not isinstance(workflow, dict):
        raise WorkflowError("not a YAML mapping")
    return workflow


def triggers(workflow):
    # YAML 1.1 reads the key `on` as true.
    on = workflow.get("on", workflow.get(True))
    if isinstance(on, str):
        return {on}
    if isinstance(on, (list, dict)):
        return set(on)
    return set()


def matrix_combinations(job):
    """The job's matrix combinations as dicts ([{}] without a matrix), or None."""
    matrix = (job.get("strategy") or {}).get("matrix")
    if matrix is None:
        return [{}]
    if not isinstance(matrix, dict):
        return None
    axes = {k: v for k, v in matrix.items() if k not in ("include", "exclude")}
    if any(not isinstance(v, list) for v in axes.values()):
        return None
    combos = [dict(zip(axes, values)) for values in itertools.product(*axes.values())] if axes else []
    for gone in matrix.get("exclude") or []:
        combos = [c for c in combos if any(c.get(k) != v for k, v in gone.items())]
    for extra in matrix.get("include") or []:
        if not isinstance(extra, dict):
            return None
        # Added to the combinations whose values it keeps, else one of its own.
        matching = [c for c in combos if all(c[k] == v for k, v in extra.items() if k in axes)]
        if axes and matching:
            for c in matching:
                c.update(extra)
        else:
            combos.append(dict(extra))
    return combos


def put_in_matrix(text, combo):
    def value(found):
        name = MATRIX_VALUE.match(found.group(1))
        if name and name.group(1) in combo:
            return str(combo[name.group(1)])
        return UNKNOWN_WORD
    return EXPRESSION.sub(value, text)


def simple_commands(script):
    """Each simple command of a shell script as a list of words; ValueError when it cannot be split."""
    commands = []
    for line in script.replace("\\\n", " ").splitlines():
        lexer = shlex.shlex(line, posix=True, punctuation_chars=True)
        lexer.whitespace_split = True
        words = []
        tokens = iter(list(lexer))
        for token in tokens:
            if token in SEPARATORS:
                if words:
                    commands.append(words)
                words = []
            elif token in REDIRECTIONS:
                next(tokens, None)  # the file
            else:
                words.append(token)  # (other operators too: the command check rejects those)
        if words:
            commands.append(words)
    return commands


def repository_file(path, root):
    """True when path (relative) names a file inside the repository."""
    if not path or os.path.isabs(path):
        return False
    real_root = os.path.realpath(root)
    full = os.path.realpath(os.path.join(real_root, path))
    return full.startswith(real_root + os.sep) and os.path.isfile(full)


def option_value(words, option):
    """The values given to option (`--preset X` or `--preset=X`); None for a missing value."""
    values = []
    for i, word in enumerate(words):
        if word == option:
            values.append(words[i + 1] if i + 1 < len(words) else None)
        elif word.startswith(option + "="):
            values.append(word[len(option) + 1:])
    return values


class Presets:
    def __init__(self, data):
        self.kinds = {}
        for kind in ("configurePresets", "buildPresets", "testPresets", "workflowPresets"):
            self.kinds[kind] = {p.get("name"): p for p in data.get(kind, []) if isinstance(p, dict)}

    def configure_chain(self, name):
        """The configure preset and those it inherits from."""
        chain, todo, seen = [], [name], set()
        while todo:
            current = todo.pop(0)
            if current in seen or current not in self.kinds["configurePresets"]:
                continue
            seen.add(current)
            preset = self.kinds["configurePresets"][current]
            chain.append(preset)
            inherits = preset.get("inherits", [])
            todo.extend([inherits] if isinstance(inherits, str) else inherits)
        return chain

    def native_faults(self, name):
        faults = []
        for preset in self.configure_chain(name):
            if preset.get("toolchainFile"):
                faults.append(f"has the toolchain file {preset['toolchainFile']}")
            for variable in ("CMAKE_TOOLCHAIN_FILE", "CMAKE_CROSSCOMPILING_EMULATOR"):
                if variable in (preset.get("cacheVariables") or {}):
                    faults.append(f"sets {variable}")
            if "condition" in preset:
                faults.append("has a host condition")
        return faults


def check_command(words, root, presets, configured, where, findings):
    """Checks one simple command; notes the configure presets it configures in `configured`."""
    while words and re.match(r"^[A-Za-z_][A-Za-z0-9_]*=", words[0]):
        words = words[1:]  # VAR=value before the command
    if not words:
        return
    for word in words:
        if set(word) <= set("();<>|&"):
            findings.append(f"{where}: {word!r}: shell syntax beyond simple commands is not checked: "
                            "put it in a script under scripts/")
    command = words[0]
    if command in SHELL_WORDS:
        findings.append(f"{where}: {command!r}: shell syntax beyond simple commands is not checked: "
                        "put it in a script under scripts/")
        return
    if command in INTERPRETERS:
        arguments = words[1:]
        if not arguments or arguments[0].startswith("-"):
            findings.append(f"{where}: {' '.join(words)!r}: {command} may only run a file of "
                            "the repository, given first")
        elif not repository_file(arguments[0], root):
            findings.append(f"{where}: {command} {arguments[0]}: no such file in the repository")
        return
    if command not in ALLOWED_TOOLS:
        if "/" not in command or not repository_file(command, root):
            findings.append(f"{where}: unknown command {command!r}: neither a file of the repository "
                            f"nor one of {', '.join(sorted(ALLOWED_TOOLS | INTERPRETERS))}")
        return

    if command == "cmake":
        if "--build" in words:
            kind, wanted = "buildPresets", "build"
        elif "--workflow" in words:
            kind, wanted = "workflowPresets", "workflow"
        else:
            kind, wanted = "configurePresets", "configure"
    else:
        kind, wanted = "testPresets", "test"
    for name in option_value(words, "--preset"):
        if name is None:
            findings.append(f"{where}: --preset without a name")
        elif name not in presets.kinds[kind]:
            known = ", ".join(sorted(n for n in presets.kinds[kind] if n))
            findings.append(f"{where}: no {wanted} preset {name!r} in CMakePresets.json (there are: {known})")
        elif kind == "configurePresets":
            for fault in presets.native_faults(name):
                findings.append(f"{where}: configure preset {name!r} {fault}: "
                                "the runner builds and tests natively")
            configured.add(name)
        elif kind in ("buildPresets", "testPresets"):
            parent = presets.kinds[kind][name].get("configurePreset")
            if parent not in configured:
                findings.append(f"{where}: {wanted} preset {name!r} needs configure preset {parent!r}, "
                                "which no earlier step of this job configures")


def check(text, presets_data, root=ROOT):
    """The findings for a workflow's text; WorkflowError when it cannot be read at all."""
    workflow = load_workflow(text)
    presets = Presets(presets_data)
    findings = []
    missing = {"push", "pull_request"} - triggers(workflow)
    if missing:
        findings.append(f"does not run on {', '.join(sorted(missing))}")
    jobs = workflow.get("jobs")
    if not isinstance(jobs, dict) or not jobs:
        return findings + ["has no jobs"]
    for job_name, job in jobs.items():
        if not isinstance(job, dict) or not isinstance(job.get("steps"), list) or not job["steps"]:
            findings.append(f"job {job_name}: no steps")
            continue
        combos = matrix_combinations(job)
        if combos is None:
            findings.append(f"job {job_name}: a matrix this check cannot expand")
            continue
        for combo in combos:
            label = f"job {job_name}" + (f" ({', '.join(f'{k}={v}' for k, v in combo.items())})" if combo else "")
            configured = set()
            for number, step in enumerate(job["steps"], 1):
                if not isinstance(step, dict):
                    findings.append(f"{label}, step {number}: not a mapping")
                    continue
                where = f"{label}, step {number} ({step.get('name') or step.get('uses') or 'run'})"
                uses = step.get("uses")
                if uses is not None and not PINNED_ACTION.match(str(uses)):
                    findings.append(f"{where}: action {uses!r} is not pinned to a major version tag (owner/name@vN)")
                run = step.get("run")
                if run is None:
                    continue
                script = put_in_matrix(str(run), combo)
                if "$(" in script or "`" in script:
                    findings.append(f"{where}: command substitution is not checked: "
                                    "put it in a script under scripts/")
                    continue
                try:
                    commands = simple_commands(script)
                except ValueError as error:
                    findings.append(f"{where}: the script cannot be split into words: {error}")
                    continue
                for words in commands:
                    check_command(words, root, presets, configured, where, findings)
    # One finding per fault, even when several combinations share it.
    return list(dict.fromkeys(findings))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("workflow")
    parser.add_argument("--presets", default=os.path.join(ROOT, "CMakePresets.json"))
    args = parser.parse_args()
    try:
        with open(args.workflow, encoding="utf-8") as f:
            text = f.read()
        with open(args.presets, encoding="utf-8") as f:
            presets = json.load(f)
        findings = check(text, presets)
    except (OSError, json.JSONDecodeError, WorkflowError) as error:
        print(f"FAULT: {args.workflow}: {error}")
        return 2
    for finding in findings:
        print(f"FAULT: {args.workflow}: {finding}")
    if findings:
        return 1
    print(f"{args.workflow}: YAML, actions, commands and presets check out")
    return 0


if __name__ == "__main__":
    sys.exit(main())
