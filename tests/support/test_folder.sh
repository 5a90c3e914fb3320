# The test folder of a test script (sourced): a fresh folder under the system's
# temporary folder in $work, entered; removed when the script ends with exit code 0,
# kept and named otherwise. A script with an exit trap of its own calls
# leave_test_folder with the exit code from it.
work=$(mktemp -d "${TMPDIR:-/tmp}/$(basename "$0" .sh)-XXXXXXXX") || exit 1
cd "$work" || exit 1

leave_test_folder() {
  cd / || return
  if [ "$1" -eq 0 ]; then rm -rf "$work"; else echo "the test folder is kept: $work" >&2; fi
}
trap 'leave_test_folder $?' EXIT
