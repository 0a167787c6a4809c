/* A sample of PL/SQL for the highlighter's tests */
CREATE TABLE "Staff List" (
  id NUMBER(10) PRIMARY KEY,
  name VARCHAR2(40) NOT NULL,
  salary NUMBER(8, 2) DEFAULT 0
);

CREATE OR REPLACE PROCEDURE raise_pay (dept IN NUMBER, rate IN NUMBER := 1.1) IS
  CURSOR staff IS SELECT id, salary FROM "Staff List" WHERE dept_no = dept;
BEGIN
  -- every member of the department
  FOR member IN staff LOOP
    UPDATE "Staff List" SET salary = member.salary * rate
     WHERE id = member.id AND note <> 'it''s late';
  END LOOP;
  COMMIT;
EXCEPTION
  WHEN OTHERS THEN
    ROLLBACK;
    RAISE;
END raise_pay;
/
