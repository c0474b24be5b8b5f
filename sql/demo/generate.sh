#!/usr/bin/env bash
# Developer helper: regenerates the demo's zip-code rows (zipcode_data.sql) and
# customer tables (customers_data.sql) from zip_areas.txt. The output is
# committed; the demo loads the committed files and never runs this script.
# Deterministic: a fixed-seed generator of its own, independent of the awk used.
#   sql/demo/generate.sh            rewrite both files beside this script
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

LC_ALL=C awk -F'|' -v zipout="$here/zipcode_data.sql" -v custout="$here/customers_data.sql" '
function rnd(n) { seed = (seed * 16807) % 2147483647; return int(seed / 2147483647 * n) }
function pick(list,    a, k) { k = split(list, a, " "); return a[rnd(k) + 1] }
function digits(n,    s, i) { s = ""; for (i = 0; i < n; i++) s = s rnd(10); return s }
function pad(v, n) { v = v ""; while (length(v) < n) v = "0" v; return v }
function join(a, b) { return (a == "" ? b : (b == "" ? a : a " " b)) }
function zipplus(base, d,    p, s) { p = substr(base, 1, 3); s = substr(base, 5, 3) + d; return p "-" pad(s, 3) }

BEGIN {
  seed = 20080302
  sidocode["서울"] = 11; sidocode["부산"] = 26; sidocode["대구"] = 27; sidocode["인천"] = 28
  sidocode["광주"] = 29; sidocode["대전"] = 30; sidocode["울산"] = 31; sidocode["경기"] = 41
  sidocode["강원"] = 42; sidocode["충북"] = 43; sidocode["충남"] = 44; sidocode["전북"] = 45
  sidocode["전남"] = 46; sidocode["경북"] = 47; sidocode["경남"] = 48; sidocode["제주"] = 50
  apts = "현대아파트 삼성래미안아파트 한신아파트 주공아파트 롯데캐슬 푸르지오 아이파크 자이아파트 대림아파트 우성아파트 벽산아파트 쌍용아파트"
  offices = "제일빌딩 대우빌딩 한국빌딩 중앙빌딩 동양빌딩 신한빌딩 파이낸스센터 무역센터 타워빌딩 상공회의소"
  nz = 0; gucount = 0
}

# One line per town: SIDO|GUGUN|area code|DONG|RI|base zip|lot ranges|buildings
{
  sido = $1; gugun = $2; tel = $3; dong = $4; ri = $5; base = $6; nr = $7 + 0; nb = $8 + 0
  if (!((sido, gugun) in gucode)) gucode[sido, gugun] = pad(++gucount * 10, 3)
  dcode3 = pad(NR * 10 + 500, 4)
  if (nr == 0) addzip(base, "", "", "", 0)
  else {
    top = 300 + rnd(700); from = 1
    for (i = 1; i <= nr; i++) {
      to = (i == nr) ? top : from + int((top - from) / (nr - i + 1)) + rnd(20)
      addzip(zipplus(base, i - 1), "", from, to, 1)
      from = to + 1
    }
  }
  for (i = 1; i <= nb; i++) {
    b = (rnd(3) == 0) ? pick(offices) : pick(apts)
    if (b in usedb && usedb[b] == NR) b = pick(offices)
    usedb[b] = NR
    addzip(substr(base, 1, 3) "-" (900 + rnd(99)), b, 1 + rnd(900), "", 2)
  }
}

function addzip(zip, bldg, st, ed, kind,    find) {
  nz++
  find = join(join(join(join(sido, gugun), dong), ri), bldg)
  if (st != "") find = find " " st (ed != "" ? "~" ed : "")
  zsido[nz] = sido; zgugun[nz] = gugun; zdong[nz] = dong; zri[nz] = ri; zbldg[nz] = bldg
  zcode[nz] = zip; zst[nz] = st; zed[nz] = ed; ztel[nz] = tel; zkind[nz] = kind
  zfind[nz] = find
  zline[nz] = sprintf("(%d,'\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'',%d,'\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'')",
    nz, zip, sido, gugun, dong, ri, bldg, st, ed, find, nz,
    sidocode[sido], gucode[sido, gugun], dcode3, (ri == "" ? "" : pad(NR, 2)))
}

# A home or office address inside zip row z, as the lookup composes it:
# base address, detail (flat or floor), lot number.
function address(z,    a, n) {
  a = join(join(join(join(zsido[z], zgugun[z]), zdong[z]), zri[z]), zbldg[z])
  if (zkind[z] == 2) {
    if (zbldg[z] ~ /빌딩|센터/) return a " " (2 + rnd(18)) "층"
    return a " " (101 + rnd(12)) "동 " (1 + rnd(15)) pad(1 + rnd(4), 2) "호"
  }
  if (zkind[z] == 1) n = zst[z] + rnd(zed[z] - zst[z] + 1)
  else n = 1 + rnd(800)
  if (rnd(3) == 0) n = n "-" (1 + rnd(30))
  return a " " n "번지"
}

function phone(z) { return ztel[z] "-" (ztel[z] == "02" ? 2 + rnd(8) digits(3) : 2 + rnd(8) digits(2)) "-" digits(4) }

function customer(user,    r, g, sn, nm, z, zo, mail, company, c) {
  r = rnd(100)
  g = (r < 30) ? "거래처" : (r < 50) ? "친구" : (r < 62) ? "가족" : (r < 75) ? "동창" : (r < 85) ? "VIP" : (r < 95) ? "직장" : "교회"
  sn = rnd(nsur) + 1
  nm = sur[sn] pick(given)
  z = rnd(nz) + 1
  c["group"] = g; c["name"] = nm; c["post"] = zcode[z]; c["addr"] = address(z)
  c["tel"] = (rnd(10) < 6) ? phone(z) : ""
  c["hp"] = (rnd(100) < 85) ? pick("010 010 010 011 016 017 019") "-" (2 + rnd(8)) digits(3) "-" digits(4) : ""
  c["jumin"] = (rnd(10) < 4) ? pad(50 + rnd(40), 2) pad(1 + rnd(12), 2) pad(1 + rnd(28), 2) "-" (1 + rnd(2)) "******" : ""
  mail = rom[sn] (rnd(2) ? digits(2 + rnd(3)) : pick("7 77 74 80 99 2008"))
  c["email"] = (rnd(10) < 4) ? mail "@" pick("example.com example.net example.org") : ""
  c["homepage"] = (rnd(10) == 0) ? "http://www.example.com/~" mail : ""
  c["office"] = ""; c["opost"] = ""; c["oaddr"] = ""; c["otel"] = ""; c["ofax"] = ""
  if (g == "거래처" || g == "직장" || g == "VIP" || rnd(4) == 0) {
    zo = rnd(nz) + 1
    c["office"] = pick(companies)
    c["opost"] = zcode[zo]; c["oaddr"] = address(zo); c["otel"] = phone(zo)
    c["ofax"] = rnd(2) ? phone(zo) : ""
  }
  c["comment"] = (rnd(4) == 0) ? pick(comments) : ""
  c["dm"] = (c["comment"] == "DM_반송됨" || rnd(8) == 0) ? 0 : 1
  gsub(/_/, " ", c["comment"])
  return row(user, c)
}

function row(user, c) {
  return sprintf("('\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'','\''%s'\'',%d)",
    user, c["group"], c["name"], c["email"], c["homepage"], c["jumin"], c["post"], c["addr"], c["tel"],
    c["office"], c["opost"], c["oaddr"], c["otel"], c["ofax"], c["hp"], c["comment"], c["dm"])
}

# A copy of an earlier row: same group, name, home zip code and home address,
# other details as typed again (the duplicate finder groups these).
function duplicate(user, prev,    c, n, f) {
  n = split(prev, f, "'\'','\''")
  c["group"] = f[2]; c["name"] = f[3]; c["post"] = f[7]; c["addr"] = f[8]
  c["email"] = ""; c["homepage"] = ""; c["jumin"] = ""; c["tel"] = f[9]
  c["office"] = ""; c["opost"] = ""; c["oaddr"] = ""; c["otel"] = ""; c["ofax"] = ""
  c["hp"] = (rnd(2) ? "010-" (2 + rnd(8)) digits(3) "-" digits(4) : "")
  c["comment"] = "중복 입력"; c["dm"] = 1
  return row(user, c)
}

function customers(user, count,    i, rows, out, k) {
  print "Create table @@DB_DATABASE@@_" user " (no int(20) not null auto_increment primary key ,UserID char(50) DEFAULT '\''" user "'\''," > custout
  print " group_name char(100),name char(20) not null,email char(255),homepage char(255)," > custout
  print " jumin char(18),home_post char(7),home_address char(255),home_tel char(20)," > custout
  print " Office_Name char(255),office_post char(7),office_address char(255),office_tel char(20),office_fax char(20)," > custout
  print " handphone char(20),Picture_Dir char(255),Member_Comment char(255),DM_Check smallint (6) DEFAULT '\''1'\'' NULL);" > custout
  print "" > custout
  for (i = 1; i <= count; i++) {
    if (i > 20 && rnd(100) < 6) rows[i] = duplicate(user, rows[rnd(i - 1) + 1])
    else rows[i] = customer(user)
  }
  for (i = 1; i <= count; i++) {
    if ((i - 1) % 50 == 0)
      print "INSERT INTO @@DB_DATABASE@@_" user " (UserID,group_name,name,email,homepage,jumin,home_post,home_address,home_tel,Office_Name,office_post,office_address,office_tel,office_fax,handphone,Member_Comment,DM_Check) VALUES" > custout
    print rows[i] ((i % 50 == 0 || i == count) ? ";" : ",") > custout
  }
  print "" > custout
}

END {
  nsur = split("김 김 김 김 김 김 김 김 김 김 이 이 이 이 이 이 이 박 박 박 박 박 최 최 최 정 정 정 강 강 조 조 윤 윤 장 장 임 임 한 오 서 신 권 황 안 송 전 홍 유 고 문 양 손 배 백 허 남 노", sur, " ")
  split("kim kim kim kim kim kim kim kim kim kim lee lee lee lee lee lee lee park park park park park choi choi choi jung jung jung kang kang cho cho yoon yoon jang jang lim lim han oh seo shin kwon hwang ahn song jeon hong yoo ko moon yang son bae baek heo nam noh", rom, " ")
  given = "민준 서연 지훈 수빈 영수 영희 철수 미영 정호 성민 현우 지영 은지 동현 상철 경희 순자 영자 정숙 미숙 광수 진호 재훈 혜진 수진 은영 현정 소영 준호 태호 민수 승현 지원 예린 다은 유진 성훈 종민 재석 명수 기현 상민 윤희 선영 미경 정민 우진 도윤 서준 하은 지우 시우 건우 민서 채원 수아 준서 현준 태민 상우 경수 영호 병철 용준 창호 봉수 옥순 말순 덕희 혜숙 정란 은숙 기순 대호 문수 길동 춘향 몽룡 인숙 명희 혜원 주희 가영 나연"
  companies = "(주)한빛상사 대한물산 우리정밀 새한전자 동방무역 (주)미래테크 성원건설 태평양식품 한국정보통신(주) 청솔약국 푸른치과 하나세무회계 백두산업 금강기계 서울인쇄 동해수산 남산유통 가람출판사 나래디자인 온누리여행사 (주)다솜소프트 제일화학 신세계로지스 삼일회계법인 한마음병원"
  comments = "연말_선물_발송 신년_카드_발송 주소_변경_확인_필요 2007년_거래_시작 명절_선물 DM_반송됨 전화_연락_선호 오전_통화_가능 결혼기념일_5월 자녀_둘 골프_모임 소개_고객"

  print "-- Zip-code directory of the demo (generated by generate.sh from zip_areas.txt)." > zipout
  for (i = 1; i <= nz; i++) {
    if ((i - 1) % 50 == 0) print "INSERT INTO ZipCode (no,ZIPCODE,SIDO,GUGUN,DONG,RI,BLDG,ST_BUNJI,ED_BUNJI,ZIPFIND,SEQ,DCode1,DCode2,DCode3,DCode4) VALUES" > zipout
    print zline[i] ((i % 50 == 0 || i == nz) ? ";" : ",") > zipout
  }

  print "-- Customer tables of the demo users admin and kim (generated by generate.sh)." > custout
  print "-- Each is created with the statement the program uses at a first login." > custout
  customers("admin", 300)
  customers("kim", 120)
}
' "$here/zip_areas.txt"
echo "generate: wrote $here/zipcode_data.sql and $here/customers_data.sql"
