#!/bin/sh
# A Slurm cluster of this one machine, for the render farm's test: munged,
# slurmctld and slurmd from Debian's packages, with their key, sockets, state
# and logs in DIR and nothing written under /etc.
# Usage: slurm-cluster.sh start DIR   (then SLURM_CONF=DIR/slurm.conf for sbatch and squeue)
#        slurm-cluster.sh stop DIR
set -eu
dir=$(realpath -m "$2")
conf=$dir/slurm.conf
export SLURM_CONF="$conf"

stop() {
    scontrol shutdown >/dev/null 2>&1 || true
    for daemon in slurmd slurmctld munged; do
        if [ -f "$dir/$daemon.pid" ]; then kill "$(cat "$dir/$daemon.pid")" 2>/dev/null || true; fi
    done
}

if [ "$1" = stop ]; then
    stop
    exit 0
fi

mkdir -p "$dir/munge" "$dir/state" "$dir/spool"
chmod 700 "$dir/munge"
dd if=/dev/urandom of="$dir/munge/munge.key" bs=1024 count=1 2>/dev/null
chmod 400 "$dir/munge/munge.key"
munged --force --key-file="$dir/munge/munge.key" --socket="$dir/munge/munge.sock" \
    --pid-file="$dir/munged.pid" --log-file="$dir/munged.log" --seed-file="$dir/munge/munge.seed"

# Ports of this run's own, so that a cluster left behind by another run is no obstacle.
port=$((20000 + $$ % 20000))
host=$(hostname -s)
cat >"$conf" <<CONF
ClusterName=quillfront-test
SlurmctldHost=$host
SlurmUser=$(id -un)
SlurmdUser=$(id -un)
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$dir/munge/munge.sock
SlurmctldPort=$port
SlurmdPort=$((port + 1))
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
MpiDefault=none
JobCompType=jobcomp/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
NodeName=$host CPUs=$(nproc) State=UNKNOWN
PartitionName=local Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
slurmctld -f "$conf"
slurmd -f "$conf"

# Ready once the node takes jobs.
tries=0
until sinfo -h -o %t 2>/dev/null | grep -q idle; do
    tries=$((tries + 1))
    if [ "$tries" -gt 150 ]; then
        echo "slurm-cluster.sh: the node did not come up; see $dir/*.log" >&2
        stop
        exit 1
    fi
    sleep 0.2
done
