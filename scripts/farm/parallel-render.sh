#!/bin/sh
# Renders a demo to MP4 on a few machines with GNU parallel: N parts spread over
# the job slots of the hosts, then joined into one video here.
#
# Usage: parallel-render.sh PROJECT OUT.mp4 WxH FPS N [RENDER OPTION...]
#   The parts go to OUT.parts/, with GNU parallel's job log. Running the same
#   line again renders only the parts that failed or never ran, then joins.
#   Options such as --from BEAT and --to BEAT pass on to every part.
#
# QUILLFRONT_HOSTS   GNU parallel's --sshlogin list, such as "8/alpha,8/beta,:"
#                    (8 job slots on alpha and on beta over ssh, and this machine);
#                    by default this machine alone.
# QUILLFRONT_JOBS    job slots a host where the list gives none (default: a core each).
# QUILLFRONT_SHARED  1 when PROJECT's folder and OUT's folder have the same path
#                    on every host (a shared file system); otherwise each part's
#                    host gets the project as one binary file (rsync over ssh)
#                    and sends the part back.
# QUILLFRONT_TOOL    quillfront-tool, when it is not on the PATH (here and there).
#
# Each host needs the player's Debian packages, ffmpeg, rsync and
# quillfront-tool, and ssh access without a password; no display and no GPU.
set -eu

tool=${QUILLFRONT_TOOL:-quillfront-tool}
if [ $# -lt 5 ]; then
    echo "usage: $0 PROJECT OUT.mp4 WxH FPS N [RENDER OPTION...]" >&2
    exit 2
fi
project=$(realpath "$1")
out=$(realpath -m "$2")
size=$3 fps=$4 n=$5
shift 5
case "$out" in *.mp4) ;; *)
    echo "$0: OUT must end in .mp4" >&2
    exit 2
    ;;
esac
parts="${out%.mp4}.parts"
mkdir -p "$parts"

set -- --size "$size" --fps "$fps" "$@"
if [ -n "${QUILLFRONT_HOSTS:-}" ] && [ "${QUILLFRONT_SHARED:-0}" != 1 ]; then
    # Hosts without the shared folders get the project as one binary file, with
    # its resources inside, and send their parts back into $parts.
    cd "$(dirname "$project")" # where a JSON project's resource files are found
    "$tool" convert "$(basename "$project")" "$parts/project.demo" >/dev/null
    cd "$parts"
    seq 1 "$n" | parallel --will-cite -q --sshlogin "$QUILLFRONT_HOSTS" --jobs "${QUILLFRONT_JOBS:-100%}" \
        --joblog "$parts/joblog" --resume-failed --line-buffer --tagstring 'part {}/'"$n" \
        --workdir ... --transferfile project.demo --return 'part-{}.mov' --cleanup \
        "$tool" render project.demo 'part-{}.mov' --part "{}/$n" "$@" || true
else
    # shellcheck disable=SC2086 # an empty QUILLFRONT_HOSTS adds no option
    seq 1 "$n" | parallel --will-cite -q ${QUILLFRONT_HOSTS:+--sshlogin "$QUILLFRONT_HOSTS"} \
        --jobs "${QUILLFRONT_JOBS:-100%}" --joblog "$parts/joblog" --resume-failed --line-buffer \
        --tagstring 'part {}/'"$n" "$tool" render "$project" "$parts/part-{}.mov" --part "{}/$n" "$@" || true
fi

# The join says which parts are missing when any failed.
set --
k=1
while [ "$k" -le "$n" ]; do
    set -- "$@" "$parts/part-$k.mov"
    k=$((k + 1))
done
exec "$tool" join "$@" "$out"
