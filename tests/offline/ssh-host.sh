#!/bin/sh
# An ssh server on this machine for the render farm's test, reached as a host
# of its own: OpenSSH's sshd on a port of this run's, with its keys, settings
# and log in DIR.
# Usage: ssh-host.sh start DIR   (then "$(cat DIR/ssh-command)" logs in)
#        ssh-host.sh stop DIR
set -eu
dir=$(realpath -m "$2")

if [ "$1" = stop ]; then
    if [ -f "$dir/sshd.pid" ]; then kill "$(cat "$dir/sshd.pid")" 2>/dev/null || true; fi
    exit 0
fi

mkdir -p "$dir"
ssh-keygen -q -t ed25519 -N '' -f "$dir/host-key"
ssh-keygen -q -t ed25519 -N '' -f "$dir/client-key"
cp "$dir/client-key.pub" "$dir/authorized-keys"
port=$((40000 + $$ % 20000))
cat >"$dir/sshd_config" <<CONF
Port $port
ListenAddress 127.0.0.1
HostKey $dir/host-key
PidFile $dir/sshd.pid
AuthorizedKeysFile $dir/authorized-keys
StrictModes no
UsePAM no
PasswordAuthentication no
KbdInteractiveAuthentication no
PermitRootLogin prohibit-password
CONF
mkdir -p /run/sshd # sshd's own, where the package's service would make it
"$(command -v sshd || echo /usr/sbin/sshd)" -f "$dir/sshd_config" -E "$dir/sshd.log"
printf '%s' "ssh -F none -i $dir/client-key -p $port -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null \
-o BatchMode=yes -o LogLevel=ERROR" >"$dir/ssh-command"

tries=0
until $(cat "$dir/ssh-command") 127.0.0.1 true 2>/dev/null; do
    tries=$((tries + 1))
    if [ "$tries" -gt 50 ]; then
        echo "ssh-host.sh: sshd does not answer; see $dir/sshd.log" >&2
        exit 1
    fi
    sleep 0.1
done
