# Sourced by the end-to-end and web tests.
# wait_until SECONDS COMMAND...: runs the command every tenth of a second until it succeeds (true) or SECONDS
# have passed (false).
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}
