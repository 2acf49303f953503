#!/bin/sh
# Prints the fault harness's figures, one line per group, then a closing summary line.
# Fails when a group reported a loss or never reported at all.
#   summary.sh BUILD-FOLDER
build=${1:?usage: summary.sh BUILD-FOLDER}
groups=$build/fault-groups.txt
reports=$build/fault-report
if [ ! -f "$groups" ]; then
  echo "fault harness: $build has no fault groups"
  exit 1
fi
total=0
failed=""
tab=$(printf '\t')
while IFS= read -r group; do
  [ -n "$group" ] || continue
  total=$((total + 1))
  report=$reports/$group.txt
  if [ ! -f "$report" ]; then
    echo "$group: did not report"
    failed="$failed $group"
    continue
  fi
  IFS="$tab" read -r status text <"$report"
  echo "$text"
  [ "$status" = ok ] || failed="$failed $group"
done <"$groups"
if [ -n "$failed" ]; then
  echo "fault harness: $total groups, failed:$failed"
  exit 1
fi
echo "fault harness: $total groups, nothing lost"
