#!/bin/sh
# Renders a demo to MP4 on a Slurm cluster: a job array renders the parts, a
# task a part, and a join job that starts once every part has succeeded
# (--dependency=afterok) puts them together into one video.
#
# Usage, on a machine that submits jobs:
#   slurm-render.sh PROJECT OUT.mp4 WxH FPS N [RENDER OPTION...]
#       Submits N parts and the join, and says which jobs they are. The parts
#       and their logs go to OUT.parts/; PROJECT and OUT's folder must be seen
#       by every node (the cluster's shared file system). Options such as
#       --from BEAT and --to BEAT pass on to every part.
#   QUILLFRONT_PARTS=2,5 slurm-render.sh PROJECT OUT.mp4 WxH FPS N [...]
#       Renders parts 2 and 5 again (after a failure), and then the join.
#   slurm-render.sh --join OUT.mp4 N
#       Joins now; with parts not done yet, says where each one stands.
#
# Extra sbatch options (a partition, a time limit) go in SBATCH_* variables or
# QUILLFRONT_SBATCH. Each node needs the player's Debian packages, ffmpeg and
# quillfront-tool (QUILLFRONT_TOOL names it when it is not on the PATH); it
# needs no display and no GPU.
#SBATCH --job-name=quillfront-render
set -eu

tool=${QUILLFRONT_TOOL:-quillfront-tool}

usage() {
    echo "usage: $0 PROJECT OUT.mp4 WxH FPS N [RENDER OPTION...]" >&2
    echo "       $0 --join OUT.mp4 N" >&2
    exit 2
}

parts_of() { echo "${1%.mp4}.parts"; }

join_parts() {
    out=$1
    n=$2
    set --
    k=1
    while [ "$k" -le "$n" ]; do
        set -- "$@" "$(parts_of "$out")/part-$k.mov"
        k=$((k + 1))
    done
    status=0
    "$tool" join "$@" "$out" || status=$?
    # By hand, a part not started yet is still in the queue.
    if [ "$status" -eq 1 ] && [ -z "${SLURM_JOB_ID:-}" ]; then
        echo "in Slurm's queue:" >&2
        squeue -h -u "$(id -un)" -n quillfront-render -o "  job %i: %T %r" >&2 || true
    fi
    exit "$status"
}

case "${1:-}" in
--join) # by hand, or as the join job
    [ $# -eq 3 ] || usage
    join_parts "$2" "$3"
    ;;
--part) # a task of the job array
    shift
    project=$1 out=$2 size=$3 fps=$4 n=$5
    shift 5
    k=$SLURM_ARRAY_TASK_ID
    exec "$tool" render "$project" "$(parts_of "$out")/part-$k.mov" --size "$size" --fps "$fps" --part "$k/$n" "$@"
    ;;
esac

[ $# -ge 5 ] || usage
project=$(realpath "$1")
out=$(realpath -m "$2")
size=$3 fps=$4 n=$5
shift 5
case "$out" in *.mp4) ;; *) usage ;; esac
parts=$(parts_of "$out")
mkdir -p "$parts"

# shellcheck disable=SC2086 # QUILLFRONT_SBATCH holds several options
array=$(sbatch --parsable ${QUILLFRONT_SBATCH:-} --array="${QUILLFRONT_PARTS:-1-$n}" \
    --output="$parts/part-%a.log" "$0" --part "$project" "$out" "$size" "$fps" "$n" "$@")
array=${array%%;*}
# shellcheck disable=SC2086
join=$(sbatch --parsable ${QUILLFRONT_SBATCH:-} --job-name=quillfront-join --dependency="afterok:$array" \
    --kill-on-invalid-dep=yes --output="$parts/join.log" "$0" --join "$out" "$n")
join=${join%%;*}
echo "parts: job array $array (logs in $parts); join: job $join, writing $out"
echo "where the parts stand: $0 --join $out $n"
