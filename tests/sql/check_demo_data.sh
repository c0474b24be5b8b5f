#!/usr/bin/env bash
# Checks the schemas and the demo data on a real server: starts a private demo
# database in a temporary folder on its own port, then checks that each schema
# statement runs on its own when the files are split at line-ending
# semicolons, that Korean names come back byte-exact and in dictionary order,
# that the demo logins match through PASSWORD(), and that the column profiles
# agree with the profile editor's label table. Exits non-zero on any failure.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
export ORVEL_DEMO_DIR
ORVEL_DEMO_DIR=$(mktemp -d "${TMPDIR:-/tmp}/orvel-demo-check.XXXXXX")
export ORVEL_DEMO_PORT="${ORVEL_CHECK_PORT:-33069}"
failures=0

cleanup() {
  "$ROOT/scripts/demodb.sh" stop || true
  rm -rf "$ORVEL_DEMO_DIR"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

eval "$("$ROOT/scripts/demodb.sh" start "$ORVEL_DEMO_DIR/deployment.ini")"

# Runs UTF-8 SQL text as the demo login over TCP and prints UTF-8 rows.
sql() {
  iconv -f UTF-8 -t CP949 | mariadb --no-defaults -h "$ORVEL_DEMO_DB_HOST" -P "$ORVEL_DEMO_DB_PORT" \
    -u "$ORVEL_DEMO_DB_USER" -p"$ORVEL_DEMO_DB_PASSWORD" --default-character-set=euckr -N -B "$@" |
    iconv -f CP949 -t UTF-8
}

# Each schema statement, split as the C++ tests split it, runs on a fresh database.
for schema in member_directory customer_database; do
  echo "DROP DATABASE IF EXISTS orvel_split; CREATE DATABASE orvel_split CHARACTER SET latin1" |
    mariadb --no-defaults -S "$ORVEL_DEMO_DB_SOCKET" -uroot
  count=0
  while IFS= read -r -d $'\x1e' statement; do
    [[ -z "${statement//[[:space:]]/}" ]] && continue
    if ! printf '%s' "$statement" | mariadb --no-defaults -S "$ORVEL_DEMO_DB_SOCKET" -uroot orvel_split; then
      fail "$schema.sql statement $((count + 1)) does not run on its own"
    fi
    count=$((count + 1))
  done < <(text=$(<"$ROOT/sql/$schema.sql")$'\n' && printf '%s' "${text//$';\n'/$'\x1e'}"$'\x1e')
  tables=$(mariadb --no-defaults -S "$ORVEL_DEMO_DB_SOCKET" -uroot -N -e "SHOW TABLES FROM orvel_split" | wc -l)
  if [[ $tables -eq $count ]]; then pass "$schema.sql: $count statements, $tables tables"; else
    fail "$schema.sql: $count statements but $tables tables"; fi
done
mariadb --no-defaults -S "$ORVEL_DEMO_DB_SOCKET" -uroot -e "DROP DATABASE orvel_split"

# Korean names: dictionary order on the server equals code-point order of the
# UTF-8 text (modern Hangul syllables are in dictionary order in Unicode).
names=$(echo "SELECT name FROM orvel_customers.orvel_customers_admin ORDER BY name" | sql)
if [[ "$names" == "$(LC_ALL=C sort <<<"$names")" && $(wc -l <<<"$names") -eq 300 ]]; then
  pass "300 customer names in dictionary order (first: $(head -n 3 <<<"$names" | tr '\n' ' '))"
else
  fail "customer names are not in dictionary order"
fi

# Byte-exact storage: the stored bytes are the CP949 encoding of the source text.
stored=$(echo "SELECT HEX(name) FROM orvel_customers.orvel_customers_kim WHERE no=1" | sql)
source=$(echo "SELECT name FROM orvel_customers.orvel_customers_kim WHERE no=1" | sql |
  tr -d "\n" | iconv -f UTF-8 -t CP949 | od -An -tx1 | tr -d ' \n' | tr a-f A-F)
if [[ -n "$stored" && "$stored" == "$source" ]]; then pass "stored bytes are CP949 ($stored)"; else
  fail "stored bytes $stored differ from CP949 $source"; fi

# Logins through the server's PASSWORD(), the way the program looks members up.
while read -r id password level expect; do
  got=$(echo "SELECT COUNT(*) FROM zetyx_member_table WHERE user_id='$id' AND password=PASSWORD('$password') AND level=$level" |
    sql orvel_member)
  if [[ "$got" == "$expect" ]]; then pass "login $id/$password level $level -> $got"; else
    fail "login $id/$password level $level -> $got, expected $expect"; fi
done <<'LOGINS'
admin admin 1 1
kim kim1234 8 1
lee lee1234 2 1
park park1234 9 1
KIM kim1234 8 1
admin kim1234 1 0
LOGINS

# Every member points at the demo customer database on this run's port.
pointers=$(echo "SELECT DISTINCT CONCAT(DB_Host,':',DB_Port,'/',DB_DataBase,' ',DB_UserName) FROM zetyx_member_table" | sql orvel_member)
if [[ "$pointers" == "127.0.0.1:$ORVEL_DEMO_PORT/orvel_customers orvel" ]]; then pass "members point at $pointers"; else
  fail "members point at: $pointers"; fi

# Profiles: Var_Values is "no" plus the column of each label of Var_Name.
labels="사용자=UserID DM=DM_Check 그룹명=group_name 이름=name 메일=email 홈페이지=homepage 주민등록=jumin 우편번호=home_post 주소=home_address 전화번호=home_tel 직장명=Office_Name 직장우편번호=office_post 직장주소=office_address 직장전화=office_tel 직장팩스=office_fax 휴대폰=handphone 기타=Member_Comment"
while IFS=$'\t' read -r level var_name var_values; do
  expected=$(awk -v labels="$labels" -v names="$var_name" 'BEGIN {
    n = split(labels, pairs, " "); for (i = 1; i <= n; i++) { split(pairs[i], kv, "="); col[kv[1]] = kv[2] }
    out = "no"; m = split(names, items, "|"); for (i = 1; i <= m; i++) if (items[i] in col) out = out "," col[items[i]]
    print out }')
  if [[ "$expected" == "$var_values" ]]; then pass "profile $level"; else
    fail "profile $level: Var_Values $var_values, labels give $expected"; fi
done < <(echo "SELECT Level_Name, Var_Name, Var_Values FROM RunLevel" | sql orvel_member)

# Duplicates for the duplicate finder, zip-code search, print-form rows.
dups=$(echo "SELECT COUNT(*) FROM (SELECT 1 FROM orvel_customers_admin GROUP BY group_name,name,home_post,home_address HAVING COUNT(*)>1) d" | sql orvel_customers)
if [[ $dups -ge 5 ]]; then pass "$dups duplicate groups"; else fail "only $dups duplicate groups"; fi
zips=$(echo "SELECT COUNT(*) FROM ZipCode WHERE ZIPFIND LIKE '%신안동%'" | sql orvel_member)
if [[ $zips -ge 2 ]]; then pass "ZIPFIND LIKE '%신안동%' finds $zips rows"; else fail "zip search finds $zips rows"; fi
for db in orvel_member orvel_customers; do
  forms=$(echo "SELECT GROUP_CONCAT(RL_Name ORDER BY RL_Name SEPARATOR ',') FROM RPTList WHERE RL_Code2 = 1" | sql "$db")
  kinds=$(echo "SELECT GROUP_CONCAT(RL_Code ORDER BY RL_Code) FROM RPTList WHERE RL_Code <> 0" | sql "$db")
  if [[ "$forms" == "고객 목록,우편 라벨" && "$kinds" == "1,99" ]]; then pass "$db print forms"; else
    fail "$db print forms: $forms / kinds $kinds"; fi
done

if ((failures > 0)); then echo "$failures check(s) failed" >&2; exit 1; fi
echo "all checks passed"
