#!/usr/bin/env bash
# A bad command line or a bad input script ends the game with status 2 and one
# line naming the problem, before any window: the cases run without a display,
# where opening one would end the game with another status.
. "$(dirname "$0")/lib/game.bash"
unset DISPLAY
cd "$work"
printf 'wait 0.5\nhold up 1\n' >good.txt

# expect_refused <stderr pattern> <arguments...>
expect_refused() {
  local pattern=$1 status=0
  shift
  "$zarnoth" "$@" >stdout 2>stderr || status=$?
  [ "$status" = 2 ] || fail "zarnoth $*: exit status $status, expected 2"
  grep -qE -- "$pattern" stderr || fail "zarnoth $*: no '$pattern' on stderr: $(cat stderr)"
  [ ! -s stdout ] || fail "zarnoth $*: wrote to stdout: $(cat stdout)"
}
usage='^usage: zarnoth \[--data DIR\]'

expect_refused "^zarnoth: unknown option '--fast'$" --fast
expect_refused "$usage" --fast
expect_refused "^zarnoth: unexpected argument 'level2'$" level2
expect_refused "^zarnoth: --level must be 1, 2 or 3, not '4'$" --level 4
expect_refused "^zarnoth: --level must be 1, 2 or 3, not '1x'$" --level 1x
expect_refused "^zarnoth: --play needs a value$" --play
expect_refused "^zarnoth: --data needs a value$" --level 2 --data
expect_refused "^zarnoth: --level given twice$" --level 1 --level 2
expect_refused "^zarnoth: only one of --record, --play and --timedemo may be given$" --play good.txt --timedemo good.txt
expect_refused "^zarnoth: --shot needs --play or --timedemo$" --shot out.png
expect_refused "^zarnoth: missing.txt: cannot be read$" --play missing.txt
expect_refused "^zarnoth: \.: cannot be read$" --timedemo .
expect_refused "^zarnoth: the data directory nowhere cannot be entered$" --data nowhere --play good.txt
mkdir -p sub
expect_refused "^zarnoth: sub: cannot be written$" --record sub

# Script faults name the file and line as given on the command line.
script_fault() {
  printf "$1" >bad.txt
  expect_refused "^bad.txt:$2: $3\$" --play bad.txt
  [ "$(wc -l <stderr)" = 1 ] || fail "more than one line for a script fault: $(cat stderr)"
}
script_fault 'wait 1\nhold up\n' 2 "missing value: hold KEY SECONDS"
script_fault '# comment\n\nhold upp 1\n' 3 "unknown key 'upp'"
script_fault 'tap F2\n' 1 "unknown key 'F2'"
script_fault 'press space\nrelease space now\n' 2 "unexpected 'now' after release KEY"
script_fault 'walk 2\n' 1 "unknown command 'walk'"
script_fault 'wait -1\n' 1 "'-1' is outside 0 to 86400 seconds"
script_fault 'wait nan\n' 1 "'nan' is not a number"
script_fault 'frametime 0\n' 1 "'0' is outside 0.0001 to 1 seconds"
script_fault 'frametime 0.0001\nwait 86400\n' 2 "more than 1000000 frames"
script_fault 'zarnoth-demo 1\nstep 0.01\n' 2 "the header has no level line"
script_fault 'zarnoth-demo 1\nlevel 1\nstep 0.01\nlevel 2\n' 4 "'level' where a step or key is expected"
head -c 2000 /dev/zero | tr '\0' 'x' >bad.txt
expect_refused "^bad.txt:1: line longer than 1024 characters$" --play bad.txt

# A file name is taken from where the game was started, not from the data
# directory: this one is read, and only the missing display ends the game.
mkdir -p data
status=0
"$zarnoth" --data data --play good.txt >stdout 2>stderr || status=$?
[ "$status" != 0 ] && [ "$status" != 2 ] || fail "--data data --play good.txt: status $status: $(cat stderr)"

status=0
"$zarnoth" --help >stdout 2>stderr || status=$?
[ "$status" = 0 ] && grep -q -- "$usage" stdout || fail "--help: status $status"
status=0
"$zarnoth" --version >stdout 2>stderr || status=$?
[ "$status" = 0 ] && [ "$(cat stdout)" = "zarnoth 1.0.0" ] || fail "--version: status $status, $(cat stdout)"
echo "ok"
