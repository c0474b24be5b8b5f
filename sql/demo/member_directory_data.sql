-- Demo members, column profiles and shared print forms of the member directory.
-- @@DB_...@@ placeholders are replaced by the loader (scripts/demodb.sh) with the
-- demo customer database's address, since its port is chosen at run time.

INSERT INTO zetyx_member_table
  (user_id,password,name,level,is_admin,acc_level,email,homepage,handphone,comment,point,reg_date,
   DB_Host,DB_Port,DB_DataBase,DB_UserName,DB_PassWord)
VALUES
  ('admin',PASSWORD('admin'),'관리자',1,1,'관리자','admin@example.com','','010-1000-0001','데모 관리자',100,
   UNIX_TIMESTAMP('2008-03-02 09:00:00'),'@@DB_HOST@@',@@DB_PORT@@,'@@DB_DATABASE@@','@@DB_USER@@','@@DB_PASSWORD@@'),
  ('kim',PASSWORD('kim1234'),'홍길동',8,3,'영업','kim@example.com','http://www.example.com/~kim','010-2000-0002','영업부',40,
   UNIX_TIMESTAMP('2008-03-03 10:30:00'),'@@DB_HOST@@',@@DB_PORT@@,'@@DB_DATABASE@@','@@DB_USER@@','@@DB_PASSWORD@@'),
  ('lee',PASSWORD('lee1234'),'이순신',2,3,'조회','lee@example.com','','010-3000-0003','조회 전용',10,
   UNIX_TIMESTAMP('2008-03-04 14:00:00'),'@@DB_HOST@@',@@DB_PORT@@,'@@DB_DATABASE@@','@@DB_USER@@','@@DB_PASSWORD@@'),
  ('park',PASSWORD('park1234'),'박문수',9,3,'영업','park@example.com','','010-4000-0004','가입 승인 대기',0,
   UNIX_TIMESTAMP('2008-03-05 16:45:00'),'@@DB_HOST@@',@@DB_PORT@@,'@@DB_DATABASE@@','@@DB_USER@@','@@DB_PASSWORD@@');

INSERT INTO RunLevel (Level_Name,Var_Name,Var_Values) VALUES
  ('관리자',
   '사용자|DM|그룹명|이름|메일|홈페이지|주민등록|우편번호|주소|전화번호|직장명|직장우편번호|직장주소|직장전화|직장팩스|휴대폰|기타',
   'no,UserID,DM_Check,group_name,name,email,homepage,jumin,home_post,home_address,home_tel,Office_Name,office_post,office_address,office_tel,office_fax,handphone,Member_Comment'),
  ('영업',
   '그룹명|이름|우편번호|주소|전화번호|휴대폰|주민등록|메일|홈페이지|직장명|직장우편번호|직장주소|직장전화|직장팩스|기타|DM',
   'no,group_name,name,home_post,home_address,home_tel,handphone,jumin,email,homepage,Office_Name,office_post,office_address,office_tel,office_fax,Member_Comment,DM_Check'),
  ('조회',
   '그룹명|이름|전화번호|휴대폰',
   'no,group_name,name,home_tel,handphone');

INSERT INTO RPTList (RL_Code,RL_Code2,RL_Name,RL_File,RL_SQL) VALUES
  (1,0,'고객 출력','',''),
  (99,0,'SQL','',''),
  (0,1,'고객 목록','customer_list.fr3',''),
  (0,1,'우편 라벨','mailing_labels_3x8.fr3','');
