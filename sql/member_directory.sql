-- Member directory: the web board's member table with the program's columns,
-- column profiles, the zip-code directory and the shared print-form rows.
-- One statement per line-ending semicolon, so a loader may split on it.
-- Tables take the database's default character set.

CREATE TABLE zetyx_member_table (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  group_no int NOT NULL DEFAULT 1,
  user_id varchar(50) NOT NULL DEFAULT '',
  password varchar(41) NOT NULL DEFAULT '',
  name varchar(50) NOT NULL DEFAULT '',
  level int DEFAULT 9,
  is_admin int NOT NULL DEFAULT 3,
  acc_level varchar(50) DEFAULT '',
  email varchar(255) NOT NULL DEFAULT '',
  homepage varchar(255) NOT NULL DEFAULT '',
  jumin varchar(18) NOT NULL DEFAULT '',
  home_address varchar(255) NOT NULL DEFAULT '',
  home_tel varchar(20) NOT NULL DEFAULT '',
  handphone varchar(20) NOT NULL DEFAULT '',
  comment varchar(255) NOT NULL DEFAULT '',
  mailing tinyint NOT NULL DEFAULT 0,
  openinfo tinyint NOT NULL DEFAULT 1,
  point int NOT NULL DEFAULT 0,
  reg_date int NOT NULL DEFAULT 0,
  DB_Host varchar(255) DEFAULT '',
  DB_Port int DEFAULT 3306,
  DB_DataBase varchar(64) DEFAULT '',
  DB_UserName varchar(80) DEFAULT '',
  DB_PassWord varchar(80) DEFAULT '',
  KEY user_id_key (user_id)
);

CREATE TABLE RunLevel (
  Level_Name varchar(50) NOT NULL DEFAULT '',
  Var_Name varchar(1000) NOT NULL DEFAULT '',
  Var_Values varchar(1000) NOT NULL DEFAULT '',
  UNIQUE KEY level_name_key (Level_Name)
);

CREATE TABLE ZipCode (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  ZIPCODE varchar(7) NOT NULL DEFAULT '',
  SIDO varchar(20) NOT NULL DEFAULT '',
  GUGUN varchar(30) NOT NULL DEFAULT '',
  DONG varchar(60) NOT NULL DEFAULT '',
  RI varchar(60) NOT NULL DEFAULT '',
  BLDG varchar(100) NOT NULL DEFAULT '',
  ST_BUNJI varchar(10) NOT NULL DEFAULT '',
  ED_BUNJI varchar(10) NOT NULL DEFAULT '',
  ZIPFIND varchar(200) NOT NULL DEFAULT '',
  SEQ int NOT NULL DEFAULT 0,
  DCode1 varchar(10) NOT NULL DEFAULT '',
  DCode2 varchar(10) NOT NULL DEFAULT '',
  DCode3 varchar(10) NOT NULL DEFAULT '',
  DCode4 varchar(10) NOT NULL DEFAULT ''
);

CREATE TABLE RPTList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  RL_Code int NOT NULL DEFAULT 0,
  RL_Code2 int NOT NULL DEFAULT 0,
  RL_Name varchar(100) DEFAULT '',
  RL_File varchar(255) DEFAULT '',
  RL_SQL text,
  KEY rl_code2_key (RL_Code2)
);
