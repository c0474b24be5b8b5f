-- Customer database: the user's print-form catalogue and the business tables
-- that the catalogue's statement builder offers. Customer tables (one per user)
-- are created by the program at a user's first login.
-- One statement per line-ending semicolon, so a loader may split on it.
-- Tables take the database's default character set.

CREATE TABLE RPTList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  RL_Code int NOT NULL DEFAULT 0,
  RL_Code2 int NOT NULL DEFAULT 0,
  RL_Name varchar(100) DEFAULT '',
  RL_File varchar(255) DEFAULT '',
  RL_SQL text,
  KEY rl_code2_key (RL_Code2)
);

CREATE TABLE AgentList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  AgentCode varchar(10) NOT NULL DEFAULT '',
  AgentName varchar(100) NOT NULL DEFAULT '',
  Owner varchar(50) NOT NULL DEFAULT '',
  Tel varchar(20) NOT NULL DEFAULT '',
  Address varchar(255) NOT NULL DEFAULT '',
  RegDate date
);

CREATE TABLE GMList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  GoCode varchar(10) NOT NULL DEFAULT '',
  ModelName varchar(100) NOT NULL DEFAULT '',
  SerialNo varchar(30) NOT NULL DEFAULT '',
  InstallDate date,
  WarrantyMonths int NOT NULL DEFAULT 12
);

CREATE TABLE GoList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  GoCode varchar(10) NOT NULL DEFAULT '',
  GoName varchar(100) NOT NULL DEFAULT '',
  AgentCode varchar(10) NOT NULL DEFAULT '',
  Tel varchar(20) NOT NULL DEFAULT '',
  Address varchar(255) NOT NULL DEFAULT '',
  RegDate date
);

CREATE TABLE NGList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  SerialNo varchar(30) NOT NULL DEFAULT '',
  NGDate date,
  Symptom varchar(255) NOT NULL DEFAULT '',
  Remedy varchar(255) NOT NULL DEFAULT '',
  Cost int NOT NULL DEFAULT 0
);

CREATE TABLE OUList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  OUDate date,
  ItemCode varchar(10) NOT NULL DEFAULT '',
  ItemName varchar(100) NOT NULL DEFAULT '',
  InQty int NOT NULL DEFAULT 0,
  OutQty int NOT NULL DEFAULT 0,
  UnitPrice int NOT NULL DEFAULT 0
);

CREATE TABLE PUList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  ItemCode varchar(10) NOT NULL DEFAULT '',
  ItemName varchar(100) NOT NULL DEFAULT '',
  Warehouse varchar(50) NOT NULL DEFAULT '',
  Qty int NOT NULL DEFAULT 0,
  UnitPrice int NOT NULL DEFAULT 0
);

CREATE TABLE JSList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  JSDate date,
  ItemCode varchar(10) NOT NULL DEFAULT '',
  BookQty int NOT NULL DEFAULT 0,
  CountQty int NOT NULL DEFAULT 0,
  Checker varchar(50) NOT NULL DEFAULT ''
);

CREATE TABLE PSList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  PSCode varchar(10) NOT NULL DEFAULT '',
  PSName varchar(100) NOT NULL DEFAULT '',
  Unit varchar(10) NOT NULL DEFAULT '',
  UnitPrice int NOT NULL DEFAULT 0,
  Stock int NOT NULL DEFAULT 0
);

CREATE TABLE PSOList (
  no int NOT NULL AUTO_INCREMENT PRIMARY KEY,
  PSODate date,
  PSCode varchar(10) NOT NULL DEFAULT '',
  GoCode varchar(10) NOT NULL DEFAULT '',
  InQty int NOT NULL DEFAULT 0,
  OutQty int NOT NULL DEFAULT 0
);
