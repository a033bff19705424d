#!/usr/bin/env bash
# Every relative link and every project path in backticks in README.md and docs/*.md points to
# something that exists, so that moving a file breaks this test rather than the reader's way.
#
# Links are relative to the file they are in; web addresses and anchors are not followed. A path
# in backticks counts when its first part is one of the repository's own top-level entries
# (`src/…`, `tests/…`, `LICENSE`); it is relative to the repository's root and may hold a *.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root"

top_level=$(git ls-files | cut -d/ -f1 | sort -u)
broken=0
for doc in README.md docs/*.md; do
    dir=$(dirname "$doc")
    while IFS= read -r target; do
        target=${target%%#*}
        [[ -z "$target" || "$target" =~ ^[a-z]+: ]] && continue
        if [[ ! -e "$dir/$target" ]]; then
            echo "$doc: link to $target: no such file" >&2
            broken=1
        fi
    done < <(grep -o '](\([^)]*\))' "$doc" | sed 's/^](\(.*\))$/\1/')
    while IFS= read -r path; do
        first=${path%%/*}
        grep -qxF -- "$first" <<<"$top_level" || continue
        # shellcheck disable=SC2086 # a * in the path is meant to match
        if ! compgen -G "$path" >/dev/null; then
            echo "$doc: \`$path\`: no such file" >&2
            broken=1
        fi
    done < <(grep -o '`[A-Za-z0-9_.][A-Za-z0-9_./*-]*`' "$doc" | tr -d '`')
done
exit "$broken"
